#include "copy_engine.h"

#include "file_data_copy.h"
#include "fileops_texts.h"
#include "folder_identity.h"
#include "folder_names.h"
#include "no_replace_rename.h"
#include "paths.h"
#include "removal_batch.h"
#include "removed_on_signal.h"
#include "staged_file.h"
#include "system_reason.h"
#include "tree_totals.h"
#include "unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fileops {
namespace {

// An entry by its open folder, with its path for the messages.
struct Place {
    int folder;
    std::string name;
    std::string path;
    dev_t device; // of the folder

    Place Child(int childFolder, dev_t childDevice, const std::string& childName) const {
        return {childFolder, childName, platform::JoinPath(path, childName), childDevice};
    }
};

enum class Step { Done, Skipped, Failed, Cancelled };

// Errors after which every further write to the destination fails as well.
bool StopsEverything(int error) {
    return error == ENOSPC || error == EDQUOT || error == EROFS || error == EIO;
}

std::uint64_t SizeOf(const struct stat& info) {
    return S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
}

bool SameEntry(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int ReadLink(const Place& from, std::size_t sizeHint, std::string& target) {
    std::size_t size = sizeHint + 1;
    for (;;) {
        target.resize(size);
        const ssize_t got = ::readlinkat(from.folder, from.name.c_str(), target.data(), size);
        if (got < 0) return errno;
        if (static_cast<std::size_t>(got) < size) {
            target.resize(static_cast<std::size_t>(got));
            return 0;
        }
        size *= 2;
    }
}

std::string TemporaryLinkName(const std::string& name) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    return "." + name.substr(0, 200) + ".tornwel-" + std::to_string(random() % 1000000);
}

class TransferRun final {
  public:
    TransferRun(TransferKind kind, const TransferOptions& options,
                const TransferCallbacks& callbacks, const std::atomic<bool>& cancelled)
        : m_move(kind == TransferKind::Move), m_renameWithin(!options.moveByCopy),
          m_callbacks(callbacks), m_cancelled(cancelled) {}

    TransferReport Run(const std::vector<std::string>& sources, const std::string& destination);

  private:
    struct Source {
        std::size_t index;
        std::string path;
        std::string folder;
        std::string name;
    };

    std::vector<Source> CheckSources(const std::vector<std::string>& sources,
                                     const std::string& destination, TransferReport& report);
    void CountTotals(const std::vector<Source>& sources);
    TransferOutcome TransferSource(const Source& source, int destination, dev_t device,
                                   const std::string& destinationPath);
    Step TransferEntry(const Place& from, const Place& to, RemovalBatch& removals);
    std::optional<Step> SettleExisting(const Place& from, const Place& to, const struct stat& info,
                                       RemovalBatch& removals, bool& replace);
    Step MoveByRename(const Place& from, const Place& to, const struct stat& info, bool replace,
                      bool& otherDevice);
    Step CopyFolder(const Place& from, const Place& to, const struct stat& info, bool merge,
                    RemovalBatch& removals);
    Step CopyFolderContents(const Place& from, const Place& to, int sourceFd, int targetFd,
                            dev_t targetDevice, bool& everythingMoved);
    Step CopyFile(const Place& from, const Place& to, const struct stat& info, bool replace,
                  RemovalBatch& removals);
    Step CopyLink(const Place& from, const Place& to, const struct stat& info, bool replace,
                  RemovalBatch& removals);
    int PublishLink(const std::string& target, const Place& to, bool replace);
    std::optional<ConflictAnswer> Ask(const Place& from, const Place& to, const struct stat& info,
                                      const struct stat& existing);

    std::optional<Step> Stopping() const;
    Step Fail(const std::string& path, int error);
    Step Refuse(const std::string& path, const std::string& reason);
    void Flush(RemovalBatch& removals);
    void PassOver(const Place& from, const struct stat& info);
    void Report();

    const bool m_move;
    const bool m_renameWithin;
    const TransferCallbacks& m_callbacks;
    const std::atomic<bool>& m_cancelled;
    bool m_stopped = false; // after an error every later write would share
    bool m_answeredCancel = false;
    bool m_replaceAll = false;
    TransferProgress m_progress;
    std::vector<TransferFailure> m_failures;
    FileDataCopier m_copier;
};

TransferReport TransferRun::Run(const std::vector<std::string>& sources,
                                const std::string& destination) {
    TransferReport report;
    report.outcomes.assign(sources.size(), TransferOutcome::Failed);
    const UniqueFd target(::open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat targetInfo {};
    if (!target.valid() || ::fstat(target.get(), &targetInfo) != 0) {
        Fail(destination, errno);
    } else {
        const std::vector<Source> checked = CheckSources(sources, destination, report);
        CountTotals(checked);
        Report();
        for (const Source& source : checked) {
            report.outcomes[source.index] =
                TransferSource(source, target.get(), targetInfo.st_dev, destination);
        }
    }
    report.failures = std::move(m_failures);
    report.progress = m_progress;
    if (Stopping() == Step::Cancelled) {
        report.status = TransferStatus::Cancelled;
    } else if (!report.failures.empty()) {
        report.status = TransferStatus::Failed;
    }
    return report;
}

// The refusals that need no writing: a name that is no entry, a source in
// the destination itself, a folder into itself.
std::vector<TransferRun::Source> TransferRun::CheckSources(const std::vector<std::string>& sources,
                                                           const std::string& destination,
                                                           TransferReport& report) {
    std::vector<Source> checked;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string path = platform::WithoutTrailingSeparator(sources[i]);
        auto [folder, name] = platform::SplitPath(path);
        struct stat info {};
        if (name.empty() || name == "." || name == "..") {
            Fail(path, EINVAL);
        } else if (::lstat(path.c_str(), &info) != 0) {
            Fail(path, errno);
        } else if (IsSameFolder(folder, destination)) {
            Refuse(path, destination + kSameFolderSuffix);
        } else if (S_ISDIR(info.st_mode) && IsSameOrInside(destination, path)) {
            Refuse(path, kIntoItselfReason);
        } else {
            checked.push_back({i, path, std::move(folder), std::move(name)});
            continue;
        }
        report.outcomes[i] = TransferOutcome::Failed;
    }
    return checked;
}

void TransferRun::CountTotals(const std::vector<Source>& sources) {
    const auto stop = [this] { return m_cancelled.load(std::memory_order_relaxed); };
    for (const Source& source : sources) {
        const UniqueFd folder(::open(source.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!folder.valid()) continue;
        const TreeTotals totals = CountTree(folder.get(), source.name, stop);
        m_progress.filesTotal += totals.files;
        m_progress.bytesTotal += totals.bytes;
    }
}

TransferOutcome TransferRun::TransferSource(const Source& source, int destination, dev_t device,
                                            const std::string& destinationPath) {
    if (const auto stop = Stopping()) {
        return *stop == Step::Cancelled ? TransferOutcome::Cancelled : TransferOutcome::Failed;
    }
    const std::size_t failuresBefore = m_failures.size();
    const UniqueFd folder(::open(source.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        Fail(source.path, errno);
        return TransferOutcome::Failed;
    }
    struct stat folderInfo {};
    ::fstat(folder.get(), &folderInfo);
    RemovalBatch removals(destination);
    const Step step = TransferEntry(
        {folder.get(), source.name, source.path, folderInfo.st_dev},
        {destination, source.name, platform::JoinPath(destinationPath, source.name), device},
        removals);
    Flush(removals);
    if (step == Step::Cancelled) return TransferOutcome::Cancelled;
    if (step == Step::Failed || m_failures.size() != failuresBefore) return TransferOutcome::Failed;
    return step == Step::Skipped ? TransferOutcome::Skipped : TransferOutcome::Done;
}

Step TransferRun::TransferEntry(const Place& from, const Place& to, RemovalBatch& removals) {
    if (const auto stop = Stopping()) return *stop;
    struct stat info {};
    if (::fstatat(from.folder, from.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return Fail(from.path, errno);
    }
    m_progress.currentName = from.path;
    Report();
    bool replace = false;
    if (const auto settled = SettleExisting(from, to, info, removals, replace)) return *settled;
    if (m_move && m_renameWithin && from.device == to.device) {
        bool otherDevice = false;
        const Step moved = MoveByRename(from, to, info, replace, otherDevice);
        if (!otherDevice) return moved;
    }
    if (S_ISDIR(info.st_mode)) return CopyFolder(from, to, info, false, removals);
    if (S_ISLNK(info.st_mode)) return CopyLink(from, to, info, replace, removals);
    if (S_ISREG(info.st_mode)) return CopyFile(from, to, info, replace, removals);
    PassOver(from, info);
    return Fail(from.path, EOPNOTSUPP);
}

// An entry of the same name at the target: a folder merges with a folder, a
// file or link is replaced only when the user says so, and one kind never
// replaces the other. Nothing returned: go on, replacing when `replace`.
std::optional<Step> TransferRun::SettleExisting(const Place& from, const Place& to,
                                                const struct stat& info, RemovalBatch& removals,
                                                bool& replace) {
    struct stat existing {};
    if (::fstatat(to.folder, to.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    if (SameEntry(info, existing)) {
        PassOver(from, info);
        return Refuse(from.path, kSameFileReason);
    }
    const bool folder = S_ISDIR(info.st_mode);
    if (folder && S_ISDIR(existing.st_mode)) return CopyFolder(from, to, info, true, removals);
    if (folder || S_ISDIR(existing.st_mode)) {
        PassOver(from, info);
        return Fail(to.path, folder ? ENOTDIR : EISDIR);
    }
    const auto answer = Ask(from, to, info, existing);
    if (!answer) return Step::Cancelled;
    if (*answer == ConflictAnswer::No) {
        PassOver(from, info);
        return Step::Skipped;
    }
    replace = true;
    return std::nullopt;
}

// A rename keeps everything of the entry; it only fails across mounts.
Step TransferRun::MoveByRename(const Place& from, const Place& to, const struct stat& info,
                               bool replace, bool& otherDevice) {
    const TreeTotals totals =
        S_ISDIR(info.st_mode) ? CountTree(from.folder, from.name, {}) : TreeTotals{1, SizeOf(info)};
    const int error =
        replace
            ? (::renameat(from.folder, from.name.c_str(), to.folder, to.name.c_str()) == 0 ? 0
                                                                                           : errno)
            : RenameWithoutReplacing(from.folder, from.name, to.folder, to.name);
    if (error == EXDEV) {
        otherDevice = true;
        return Step::Failed;
    }
    if (error != 0) {
        PassOver(from, info);
        return Fail(from.path, error);
    }
    m_progress.filesDone += totals.files;
    m_progress.bytesDone += totals.bytes;
    Report();
    return Step::Done;
}

Step TransferRun::CopyFolder(const Place& from, const Place& to, const struct stat& info,
                             bool merge, RemovalBatch& removals) {
    if (!merge && ::mkdirat(to.folder, to.name.c_str(), 0700) != 0) {
        const int error = errno;
        PassOver(from, info);
        return Fail(to.path, error);
    }
    const UniqueFd source(OpenSubfolder(from.folder, from.name));
    const int sourceError = errno;
    const UniqueFd target(OpenSubfolder(to.folder, to.name));
    const int targetError = errno;
    if (!source.valid() || !target.valid()) {
        if (!merge) ::unlinkat(to.folder, to.name.c_str(), AT_REMOVEDIR);
        PassOver(from, info);
        return source.valid() ? Fail(to.path, targetError) : Fail(from.path, sourceError);
    }
    struct stat targetInfo {};
    ::fstat(target.get(), &targetInfo);
    bool everythingMoved = true;
    const Step step = CopyFolderContents(from, to, source.get(), target.get(), targetInfo.st_dev,
                                         everythingMoved);
    if (!merge) {
        // After the contents, which change the folder's time.
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        if (::fchmod(target.get(), info.st_mode & 07777) != 0 ||
            ::futimens(target.get(), times) != 0) {
            return Fail(to.path, errno);
        }
    }
    if (m_move && step == Step::Done && everythingMoved) {
        removals.Add(from.folder, from.name, true, from.path);
    }
    return step;
}

Step TransferRun::CopyFolderContents(const Place& from, const Place& to, int sourceFd, int targetFd,
                                     dev_t targetDevice, bool& everythingMoved) {
    std::vector<std::string> names;
    if (const int error = ReadEntryNames(sourceFd, names); error != 0) {
        everythingMoved = false;
        return Fail(from.path, error);
    }
    RemovalBatch removals(targetFd);
    Step result = Step::Done;
    for (const auto& name : names) {
        const Step step = TransferEntry(from.Child(sourceFd, from.device, name),
                                        to.Child(targetFd, targetDevice, name), removals);
        if (step != Step::Done) everythingMoved = false;
        if (step == Step::Failed) result = Step::Failed;
        if (step == Step::Cancelled) {
            result = Step::Cancelled;
            break;
        }
        if (const auto stop = Stopping()) {
            result = *stop;
            break;
        }
    }
    Flush(removals);
    return result;
}

Step TransferRun::CopyFile(const Place& from, const Place& to, const struct stat& info,
                           bool replace, RemovalBatch& removals) {
    const UniqueFd in(
        ::openat(from.folder, from.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    if (!in.valid() || ::fstat(in.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
        // Not a regular file any more: it was replaced since it was examined.
        const int error =
            in.valid() && S_ISREG(opened.st_mode) ? errno : (in.valid() ? EINVAL : errno);
        PassOver(from, info);
        return Fail(from.path, error);
    }
    StagedFile out(to.folder);
    if (const int error = out.Create(to.name); error != 0) {
        PassOver(from, info);
        return Fail(to.path, error);
    }
    std::uint64_t copied = 0;
    const int error = m_copier.Copy(in.get(), out.fd(), opened.st_dev, to.device,
                                    [this, &copied](std::uint64_t bytes) {
                                        copied += bytes;
                                        m_progress.bytesDone += bytes;
                                        Report();
                                        return !Stopping();
                                    });
    if (error == ECANCELED) return *Stopping();
    m_progress.bytesDone -= copied;
    PassOver(from, info);
    if (error != 0) return Fail(StopsEverything(error) ? to.path : from.path, error);
    const struct timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (m_move && ::geteuid() == 0) (void)::fchown(out.fd(), opened.st_uid, opened.st_gid);
    if (::fchmod(out.fd(), opened.st_mode & 07777) != 0 || ::futimens(out.fd(), times) != 0 ||
        (m_move && ::fsync(out.fd()) != 0)) {
        return Fail(to.path, errno);
    }
    if (const int published = out.Publish(to.name, replace); published != 0) {
        return Fail(to.path, published);
    }
    if (m_move) removals.Add(from.folder, from.name, false, from.path);
    return Step::Done;
}

Step TransferRun::CopyLink(const Place& from, const Place& to, const struct stat& info,
                           bool replace, RemovalBatch& removals) {
    PassOver(from, info);
    std::string target;
    if (const int error = ReadLink(from, static_cast<std::size_t>(info.st_size), target);
        error != 0) {
        return Fail(from.path, error);
    }
    if (const int error = PublishLink(target, to, replace); error != 0) return Fail(to.path, error);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    // Not every file system keeps times of links; the link itself is what counts.
    ::utimensat(to.folder, to.name.c_str(), times, AT_SYMLINK_NOFOLLOW);
    if (m_move) removals.Add(from.folder, from.name, false, from.path);
    return Step::Done;
}

// A new link cannot replace anything; a replacing one is made under a hidden
// name and renamed over the old entry.
int TransferRun::PublishLink(const std::string& target, const Place& to, bool replace) {
    if (!replace) {
        return ::symlinkat(target.c_str(), to.folder, to.name.c_str()) == 0 ? 0 : errno;
    }
    const std::string temporary = TemporaryLinkName(to.name);
    platform::RemovedOnSignal removed(to.folder, temporary);
    if (::symlinkat(target.c_str(), to.folder, temporary.c_str()) != 0) return errno;
    removed.Arm();
    if (::renameat(to.folder, temporary.c_str(), to.folder, to.name.c_str()) == 0) return 0;
    const int error = errno;
    ::unlinkat(to.folder, temporary.c_str(), 0);
    return error;
}

// Nothing for Cancel, else Yes or No.
std::optional<ConflictAnswer> TransferRun::Ask(const Place& from, const Place& to,
                                               const struct stat& info,
                                               const struct stat& existing) {
    if (m_replaceAll) return ConflictAnswer::Yes;
    if (!m_callbacks.askConflict) return ConflictAnswer::No;
    const Conflict conflict{from.path,           to.path,
                            SizeOf(info),        SizeOf(existing),
                            info.st_mtim.tv_sec, existing.st_mtim.tv_sec};
    const ConflictAnswer answer = m_callbacks.askConflict(conflict);
    if (answer == ConflictAnswer::Cancel) m_answeredCancel = true;
    if (Stopping() == Step::Cancelled) return std::nullopt;
    if (answer == ConflictAnswer::YesToAll) m_replaceAll = true;
    return answer == ConflictAnswer::No ? ConflictAnswer::No : ConflictAnswer::Yes;
}

std::optional<Step> TransferRun::Stopping() const {
    if (m_answeredCancel || m_cancelled.load(std::memory_order_relaxed)) return Step::Cancelled;
    if (m_stopped) return Step::Failed;
    return std::nullopt;
}

Step TransferRun::Fail(const std::string& path, int error) {
    if (StopsEverything(error)) m_stopped = true;
    m_failures.push_back({path, error, SystemReason(error)});
    return Step::Failed;
}

Step TransferRun::Refuse(const std::string& path, const std::string& reason) {
    m_failures.push_back({path, 0, reason});
    return Step::Failed;
}

void TransferRun::Flush(RemovalBatch& removals) {
    for (auto& failure : removals.Flush())
        m_failures.push_back(std::move(failure));
}

// The entry is dealt with, whether done, skipped or failed: the progress
// counts all of it.
void TransferRun::PassOver(const Place& from, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        const TreeTotals totals = CountTree(from.folder, from.name, {});
        m_progress.filesDone += totals.files;
        m_progress.bytesDone += totals.bytes;
    } else {
        m_progress.filesDone += 1;
        m_progress.bytesDone += SizeOf(info);
    }
    Report();
}

void TransferRun::Report() {
    if (m_callbacks.progress) m_callbacks.progress(m_progress);
}

} // namespace

Transfer::Transfer(TransferKind kind, std::vector<std::string> sources,
                   std::string destinationFolder, TransferOptions options)
    : m_kind(kind), m_sources(std::move(sources)),
      m_destination(platform::WithoutTrailingSeparator(std::move(destinationFolder))),
      m_options(options) {}

TransferReport Transfer::Run(const TransferCallbacks& callbacks) {
    return TransferRun(m_kind, m_options, callbacks, m_cancelled).Run(m_sources, m_destination);
}

} // namespace fileops
