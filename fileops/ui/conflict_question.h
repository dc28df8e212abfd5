#pragma once

#include "copy_engine.h"

class QWidget;

namespace fileopsui {

// Asks whether the existing entry of a conflict is to be replaced: a warning
// box beside `owner` with はい, いいえ, すべて上書き and キャンセル.
fileops::ConflictAnswer AskReplace(QWidget* owner, const fileops::Conflict& conflict);

} // namespace fileopsui
