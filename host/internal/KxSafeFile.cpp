#include "host/internal/KxSafeFile.h"

#include "host/KxPlatform.h"
#include "host/testing/KxHostTesting.h"

#include <fstream>
#include <iterator>

namespace {

// The failure control of the project's tests: the step that fails, counted from 1, and the steps
// taken since it was set.
int gFailingStep = 0;
int gSteps = 0;

constexpr std::size_t kSmallestWrite = std::size_t{64} << 10;

// Every write, flush, close and rename of a save passes here first.
bool injectedFailure(std::string& error) {
    ++gSteps;
    if (gSteps != gFailingStep) {
        return false;
    }
    error = "no space left on the device (a failure the tests arranged)";
    return true;
}

class Saving {
public:
    explicit Saving(std::string& message) : mMessage(message) {}
    Saving(const Saving&) = delete;
    Saving& operator=(const Saving&) = delete;
    // A save that did not finish leaves no temporary file behind.
    ~Saving() {
        for (const std::string& path : mTemporary) {
            KxPlatform::removeFile(path);
        }
    }

    // Writes the pieces to a new file at `path`, flushes it to the disk and closes it.
    bool writeWhole(const std::string& path, std::string_view bytes,
                    const std::vector<std::size_t>& cuts) {
        std::string error;
        void* file = KxPlatform::createFile(path, error);
        if (!file) {
            return refuse("cannot create " + path, error);
        }
        mTemporary.push_back(path);
        std::string failed;
        std::size_t from = 0;
        for (std::size_t i = 0; failed.empty() && i <= cuts.size(); ++i) {
            const std::size_t to = i < cuts.size() ? cuts[i] : bytes.size();
            // Small pieces go out together: a system call for each of 100,000 records would
            // take longer than making the file.
            if (i < cuts.size() && to - from < kSmallestWrite) {
                continue;
            }
            if (injectedFailure(error) ||
                !KxPlatform::writeFile(file, bytes.substr(from, to - from), error)) {
                failed = "cannot write ";
            }
            from = to;
        }
        if (failed.empty() && (injectedFailure(error) || !KxPlatform::syncFile(file, error))) {
            failed = "cannot flush ";
        }
        std::string closeError;
        const bool closed = KxPlatform::closeFile(file, closeError);
        if (failed.empty() && injectedFailure(error)) {
            failed = "cannot close ";
        } else if (failed.empty() && !closed) {
            failed = "cannot close ";
            error = closeError;
        }
        return failed.empty() || refuse(failed + path, error);
    }

    bool rename(const std::string& from, const std::string& to) {
        std::string error;
        if (injectedFailure(error) || !KxPlatform::replaceFile(from, to, error)) {
            return refuse("cannot rename " + from + " to " + to, error);
        }
        std::erase(mTemporary, from);
        return true;
    }

    bool refuse(const std::string& what, const std::string& why) {
        mMessage = what + ": " + why;
        return false;
    }

private:
    std::string& mMessage;
    std::vector<std::string> mTemporary;
};

} // namespace

namespace KxSafeFile {

Lumo::ErrorStatus read(const std::string& path, std::string& bytes, std::string& message) {
    if (!KxPlatform::isRegularFile(path)) {
        message = "cannot read " + path + ": " +
                  (KxPlatform::isDirectory(path) ? "it is a directory" : "there is no such file");
        return Lumo::eFileError;
    }
    std::ifstream in(KxPlatform::toPath(path), std::ios::binary);
    std::string whole(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        message = "cannot read " + path;
        return Lumo::eFileError;
    }
    bytes = std::move(whole);
    return Lumo::eOk;
}

Lumo::ErrorStatus replace(const std::string& path, std::string_view bytes,
                          const std::vector<std::size_t>& cuts, std::string& message) {
    if (KxPlatform::isDirectory(path)) {
        message = "cannot save over " + path + ": it is a directory";
        return Lumo::eFileError;
    }
    Saving saving(message);
    const std::string temporary = path + ".tmp";
    if (!saving.writeWhole(temporary, bytes, cuts)) {
        return Lumo::eFileError;
    }
    if (KxPlatform::isRegularFile(path)) {
        std::string previous;
        if (read(path, previous, message) != Lumo::eOk) {
            return Lumo::eFileError;
        }
        const std::string backup = path + ".bak";
        if (!saving.writeWhole(backup + ".tmp", previous, {}) ||
            !saving.rename(backup + ".tmp", backup)) {
            return Lumo::eFileError;
        }
    }
    if (!saving.rename(temporary, path)) {
        return Lumo::eFileError;
    }
    std::string error;
    if (!KxPlatform::syncDirectory(KxPlatform::directoryOf(path), error)) {
        message =
            "saved " + path + ", but its directory could not be flushed to the disk: " + error;
        return Lumo::eFileError;
    }
    return Lumo::eOk;
}

} // namespace KxSafeFile

void kxFailFileWrite(int step) {
    gFailingStep = step;
    gSteps = 0;
}

int kxFileWritesSoFar() {
    return gSteps;
}
