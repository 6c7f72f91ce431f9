#include "gui/KxRecovery.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbDrawingFile.h"
#include "host/KxResBuf.h"
#include "host/KxSysVars.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <array>
#include <cerrno>
#include <csignal> // kill, of POSIX

namespace {

constexpr std::array<const wchar_t*, 4> kUnits{L"LUNITS", L"LUPREC", L"AUNITS", L"AUPREC"};

// The hex SHA-256 of the file's bytes; "-" for none, when it cannot be read.
std::string fileHash(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly)) {
        return "-";
    }
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

bool isRunning(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Whether the bytes make a whole drawing. The host's reader sets the units, which are the current
// drawing's: they are put back.
bool readsCleanly(const QByteArray& bytes) {
    std::array<KxResBuf, kUnits.size()> units{};
    for (std::size_t i = 0; i < kUnits.size(); ++i) {
        kxedGetVar(kUnits[i], &units[i]);
    }
    KxDbDatabase scratch;
    std::string message;
    const bool clean = kxdbReadDrawing(scratch, std::string_view(bytes.constData(), bytes.size()),
                                       message) == Lumo::eOk;
    for (std::size_t i = 0; i < kUnits.size(); ++i) {
        kxedSetVar(kUnits[i], &units[i]);
    }
    return clean;
}

} // namespace

KxRecovery::KxRecovery() {
    mFolder = qEnvironmentVariable("KXPARAM_RECOVERY_DIR");
    if (mFolder.isEmpty()) {
        mFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                  QStringLiteral("/recovery");
    }
}

void KxRecovery::setBase(const std::string& path) {
    mBaseHash = fileHash(path);
}

bool KxRecovery::write(const KxDbDatabase& database, const std::string& path,
                       std::string& message) {
    if (!QDir().mkpath(mFolder)) {
        message = "cannot make the folder " + mFolder.toStdString();
        return false;
    }
    const QString stem =
        mFolder + QStringLiteral("/drawing-%1").arg(QCoreApplication::applicationPid());
    // Saved as a copy: the drawing itself is not saved by this.
    if (kxdbSaveDrawingCopy(database, (stem + QStringLiteral(".kxd")).toStdString(), message) !=
        Lumo::eOk) {
        return false;
    }
    QSaveFile record(stem + QStringLiteral(".record"));
    if (!record.open(QIODevice::WriteOnly) ||
        record.write(QByteArray::fromStdString(mBaseHash + '\n' + path + '\n')) < 0 ||
        !record.commit()) {
        message = record.errorString().toStdString();
        return false;
    }
    return true;
}

void KxRecovery::remove() {
    const QString stem =
        mFolder + QStringLiteral("/drawing-%1").arg(QCoreApplication::applicationPid());
    discard({stem + QStringLiteral(".kxd"), stem + QStringLiteral(".record"), {}});
}

std::vector<KxRecovery::Offer> KxRecovery::offers() {
    std::vector<Offer> found;
    const QDir folder(mFolder);
    for (const QString& name :
         folder.entryList({QStringLiteral("drawing-*.record")}, QDir::Files)) {
        bool number = false;
        const qint64 pid = name.mid(8, name.size() - 15).toLongLong(&number);
        if (!number || isRunning(pid)) {
            continue; // another session's, still at work
        }
        Offer offer{
            folder.filePath(name.chopped(7) + QStringLiteral(".kxd")), folder.filePath(name), {}};
        QFile record(offer.record);
        QFile drawing(offer.drawing);
        if (!record.open(QIODevice::ReadOnly) || !drawing.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> lines = record.readAll().split('\n');
        if (lines.size() < 2 || !readsCleanly(drawing.readAll())) {
            continue;
        }
        offer.originalPath = lines[1].toStdString();
        // A file saved since the changes began holds a later state than they do.
        const std::string now = fileHash(offer.originalPath);
        if (now != "-" && now != lines[0].toStdString()) {
            discard(offer);
            continue;
        }
        found.push_back(offer);
    }
    return found;
}

void KxRecovery::discard(const Offer& offer) {
    QFile::remove(offer.record);
    QFile::remove(offer.drawing);
    QFile::remove(offer.drawing + QStringLiteral(".bak"));
}
