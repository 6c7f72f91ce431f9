#pragma once

#include <QString>

#include <string>
#include <vector>

class KxDbDatabase;

/// The recovery files of drawings with unsaved changes: each session writes its drawing,
/// crash-safe, as drawing-PID.kxd in the recovery folder, with a record drawing-PID.record of the
/// drawing's own file and a hash of that file's bytes when it was last saved or opened. A later
/// session offers a recovery file that reads cleanly and whose drawing file is still as the record
/// says.
class KxRecovery {
public:
    /// A recovery file left by a session that has ended.
    struct Offer {
        QString drawing;          ///< the recovery file
        QString record;           ///< its record
        std::string originalPath; ///< the drawing's own file; empty for a drawing without one
    };

    /// KXPARAM_RECOVERY_DIR when set, else "recovery" in the program's data folder.
    KxRecovery();

    /// Remembers the bytes of the drawing's file as the saved state that the changes start from.
    void setBase(const std::string& path);
    /// Writes the database and its record for this session; false, with `message`, when not.
    bool write(const KxDbDatabase& database, const std::string& path, std::string& message);
    /// Removes this session's recovery file, when there is one.
    void remove();
    /// The recovery files of ended sessions that read cleanly and are newer than their drawing's
    /// file; those made stale by a later save are removed.
    std::vector<Offer> offers();
    /// Removes an offered recovery file.
    static void discard(const Offer& offer);

private:
    QString mFolder;
    std::string mBaseHash;
};
