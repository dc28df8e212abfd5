#include "file_info_dialog.h"

#include "command_frame.h"
#include "dialog_parts.h"
#include "display_text.h"
#include "fileops_texts.h"
#include "image_list.h"
#include "message_box.h"
#include "paths.h"
#include "system_reason.h"
#include "type_table.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <system_error>

namespace fileopsui {
namespace {

using fileops::TimeField;

constexpr int kIconSize = 32;
// The gaps after the colons are ideographic spaces.
constexpr const char* kTypePrefix = "種類 :　　　";
constexpr const char* kPlacePrefix = "場所 :　　　";

struct AttributeBox {
    fileops::AttributeBit bit;
    const char* text;
    const char* objectName;
};

// Only read-only can change here; the others follow from the entry's name and kind.
constexpr AttributeBox kAttributes[] = {
    {fileops::kReadOnly, "読み取り専用", "CheckBox1"},
    {fileops::kArchive, "アーカイブ", "CheckBox2"},
    {fileops::kHidden, "隠しファイル", "CheckBox3"},
    {fileops::kSystem, "システム", "CheckBox4"},
};

struct TimeBoxField {
    const char* objectName;
    const char* accessibleName;
    int maxLength; // 0: none
    const char* widest;
};

constexpr TimeBoxField kTimeBoxes[] = {
    {"Edit1", "年", 4, "0000"}, {"Edit2", "月", 2, "00"},  {"Edit3", "日", 2, "00"},
    {"Edit4", "時", 0, "000"},  {"Edit5", "分", 0, "000"}, {"Edit6", "秒", 0, "000"},
};

std::size_t BoxIndex(TimeField field) {
    return static_cast<std::size_t>(field) - 1;
}

QFrame* Rule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

QHBoxLayout* BoxRow(QWidget* parent, QLineEdit* first, QLineEdit* second, QLineEdit* third,
                    const QString& separator) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(new QLabel(separator, parent));
    row->addWidget(second);
    row->addWidget(new QLabel(separator, parent));
    row->addWidget(third);
    row->addStretch();
    return row;
}

} // namespace

FileInfoDialog::FileInfoDialog(app::CommandHost& host, filelist::TypeTable& types,
                               const filelist::ImageList& images)
    : QDialog(host.hostWindow(), FixedDialogFlags()), m_host(host), m_types(types),
      m_images(images), m_image(AddLabel(this, {}, "Image1")),
      m_name(AddLabel(this, "ファイル名", "Label1")), m_type(AddLabel(this, "種類", "Label2")),
      m_place(AddLabel(this, "場所", "Label3")), m_size(AddLabel(this, "サイズ", "Label4")),
      m_update(AddButton(this, "更新", "Button1")), m_close(AddButton(this, "終了", "Button2")) {
    setObjectName("FileInfoForm");
    setWindowTitle("ﾌｧｲﾙ情報");
    m_image->setFixedSize(kIconSize, kIconSize);
    m_image->setAccessibleName("アイコン");
    BuildAttributeBoxes();
    BuildTimeBoxes();
    LayOut();
    setTabOrder(m_close, m_attributes[0]);
    for (std::size_t i = 1; i < m_attributes.size(); ++i)
        setTabOrder(m_attributes[i - 1], m_attributes[i]);
    setTabOrder(m_attributes.back(), m_time.front());
    for (std::size_t i = 1; i < m_time.size(); ++i)
        setTabOrder(m_time[i - 1], m_time[i]);
    setTabOrder(m_time.back(), m_update);
    connect(m_update, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void FileInfoDialog::BuildAttributeBoxes() {
    for (std::size_t i = 0; i < m_attributes.size(); ++i) {
        auto* box = new QCheckBox(kAttributes[i].text, this);
        box->setObjectName(kAttributes[i].objectName);
        box->setEnabled(kAttributes[i].bit == fileops::kReadOnly);
        connect(box, &QCheckBox::clicked, m_update, [this] { m_update->setEnabled(true); });
        m_attributes[i] = box;
    }
}

void FileInfoDialog::BuildTimeBoxes() {
    const auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (std::size_t i = 0; i < m_time.size(); ++i) {
        const TimeBoxField& field = kTimeBoxes[i];
        auto* box = new QLineEdit(this);
        box->setObjectName(field.objectName);
        box->setAccessibleName(field.accessibleName);
        box->setValidator(digits);
        if (field.maxLength > 0) box->setMaxLength(field.maxLength);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(field.widest) + 14);
        box->setAlignment(Qt::AlignRight);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, m_update, [this] { m_update->setEnabled(true); });
        m_time[i] = box;
    }
}

void FileInfoDialog::LayOut() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* header = new QHBoxLayout;
    header->addWidget(m_image);
    header->addSpacing(50);
    header->addWidget(m_name, 1);
    layout->addLayout(header);
    layout->addWidget(Rule(this));
    layout->addWidget(m_type);
    layout->addWidget(m_place);
    layout->addWidget(m_size);
    layout->addWidget(Rule(this));

    auto* attributes = new QGridLayout;
    attributes->setColumnMinimumWidth(0, 80);
    attributes->addWidget(new QLabel("属性 :", this), 0, 0);
    attributes->addWidget(m_attributes[0], 0, 1);
    attributes->addWidget(m_attributes[2], 0, 2);
    attributes->addWidget(m_attributes[1], 1, 1);
    attributes->addWidget(m_attributes[3], 1, 2);
    layout->addLayout(attributes);
    layout->addWidget(Rule(this));

    auto* time = new QGridLayout;
    time->setColumnMinimumWidth(0, 80);
    time->setColumnStretch(2, 1);
    time->addWidget(new QLabel("日付・時刻", this), 0, 0);
    time->addLayout(BoxRow(this, m_time[0], m_time[1], m_time[2], "/"), 0, 1);
    time->addLayout(BoxRow(this, m_time[3], m_time[4], m_time[5], "："), 1, 1);
    time->addWidget(m_update, 1, 3);
    time->addWidget(m_close, 1, 4);
    layout->addLayout(time);
}

QCheckBox* FileInfoDialog::attributeBox(fileops::AttributeBit bit) const {
    for (std::size_t i = 0; i < m_attributes.size(); ++i) {
        if (kAttributes[i].bit == bit) return m_attributes[i];
    }
    return nullptr;
}

QLineEdit* FileInfoDialog::timeBox(TimeField field) const {
    return m_time[BoxIndex(field)];
}

std::string FileInfoDialog::EntryPath() const {
    const app::MainState& state = m_host.state();
    return platform::JoinPath(state.CurrentDir, state.SelectedName);
}

bool FileInfoDialog::Open() {
    int error = 0;
    const auto entry = fileops::ReadFileInformation(EntryPath(), error);
    if (!entry) {
        platform::ShowFileFailure(m_host.hostWindow(), platform::kCannotReadFormat, EntryPath(),
                                  std::system_error(error, std::generic_category()));
        return false;
    }
    FormShow(*entry);
    ncui::PlaceOnMainWindow(*this, m_host.state());
    exec();
    return true;
}

void FileInfoDialog::FormShow(const fileops::FileInformation& entry) {
    m_name->setText(platform::DisplayText(m_host.state().SelectedName));
    ShowKind(entry);
    m_place->setText(kPlacePrefix + platform::DisplayText(m_host.state().CurrentDir));
    for (std::size_t i = 0; i < m_attributes.size(); ++i)
        m_attributes[i]->setChecked(entry.attributes & kAttributes[i].bit);
    m_shownTime = fileops::ShownTimeFields(entry.modified, entry.folder);
    const auto texts = fileops::TimeFieldTexts(m_shownTime);
    for (std::size_t i = 0; i < m_time.size(); ++i)
        m_time[i]->setText(QString::fromStdString(texts[i]));
    m_update->setEnabled(false);
    m_close->setFocus();
}

// The list's icon and type text of the entry's kind; the theme's icon where
// the list has none.
void FileInfoDialog::ShowKind(const fileops::FileInformation& entry) {
    QIcon icon;
    QString type;
    if (entry.folder) {
        icon = m_images.At(filelist::kFolderImage);
        type = filelist::kFolderTypeText;
        m_size->setText(QString::fromStdString(fileops::FolderSizeText()));
    } else {
        const auto& row =
            m_types.Row(m_types.FileTypeName(m_host.state().SelectedName, entry.program));
        m_host.state().TypeTableLast = m_types.TypeTableLast();
        icon = m_images.At(row.image);
        type = row.typeText;
        m_size->setText(QString::fromStdString(fileops::FormatSizeText(entry.size)));
    }
    if (icon.isNull()) icon = QIcon::fromTheme(entry.folder ? "folder" : "text-x-generic");
    m_image->setPixmap(icon.pixmap(kIconSize, kIconSize));
    m_type->setText(kTypePrefix + type);
}

bool FileInfoDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    for (const TimeField field : fileops::kTimeFieldOrder) {
        if (watched == timeBox(field)) EnterInTimeBox(field);
    }
    return true;
}

void FileInfoDialog::EnterInTimeBox(TimeField field) {
    QLineEdit* box = timeBox(field);
    if (box->text().isEmpty()) return;
    if (!fileops::TimeFieldValue(field, box->text().toStdString())) {
        Refuse(field, fileops::TimeFieldMessage(field));
        return;
    }
    if (field != TimeField::Second) {
        m_time[BoxIndex(field) + 1]->setFocus();
    } else if (m_update->isEnabled()) {
        m_update->setFocus();
    } else {
        m_close->setFocus();
    }
}

void FileInfoDialog::Refuse(TimeField field, const QString& message) {
    timeBox(field)->setFocus();
    m_host.state().MsgAnswer = platform::ShowStop(this, fileops::kConfirmCaption, message);
}

std::array<std::string, 6> FileInfoDialog::TimeTexts() const {
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < m_time.size(); ++i)
        texts[i] = m_time[i]->text().toStdString();
    return texts;
}

// The time is written only when a box was changed, so that changing the
// attribute alone never moves a time the two-second format cannot hold.
void FileInfoDialog::Button1Click() {
    const auto texts = TimeTexts();
    if (const auto invalid = fileops::FirstInvalidTimeField(texts)) {
        Refuse(*invalid, fileops::TimeFieldMessage(*invalid));
        return;
    }
    const std::string path = EntryPath();
    const fileops::DateTimeFields time = *fileops::TimeFieldsFromTexts(texts);
    if (!(time == m_shownTime) && !WriteTime(path, time)) return;
    const int error = fileops::SetReadOnly(path, m_attributes[0]->isChecked());
    if (error != 0) {
        m_host.state().MsgAnswer =
            platform::ShowStop(this, fileops::kConfirmCaption,
                               fileops::kAttributeNotSetMessage +
                                   QString::fromStdString(fileops::SystemReason(error)));
    }
    m_host.RefreshFileList(false, true, false);
    accept();
}

// A time that cannot be set is told, with the box to mend; nothing is written then.
bool FileInfoDialog::WriteTime(const std::string& path, const fileops::DateTimeFields& time) {
    const auto result = fileops::SetModificationTime(path, time);
    switch (result.change) {
    case fileops::TimeChange::Set:
        return true;
    case fileops::TimeChange::NoSuchDate:
        Refuse(TimeField::Day, fileops::kNoSuchDateMessage);
        return false;
    case fileops::TimeChange::OutsideStoredYears:
        Refuse(TimeField::Year, fileops::kOutsideStoredYearsMessage);
        return false;
    case fileops::TimeChange::Failed:
        break;
    }
    m_host.state().MsgAnswer = platform::ShowStop(
        this, fileops::kConfirmCaption,
        fileops::kTimeNotSetMessage + QString::fromStdString(fileops::SystemReason(result.error)));
    return false;
}

} // namespace fileopsui
