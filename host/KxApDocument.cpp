#include "host/KxApDocument.h"

#include "host/KxDbDatabase.h"
#include "host/KxDbDrawingFile.h"

KxApDocument::KxApDocument(const wchar_t* name)
    : mName(name), mpDatabase(std::make_unique<KxDbDatabase>()) {}

KxApDocument::~KxApDocument() = default;

int KxApDocument::myLockMode(bool) const {
    if (mMyLockModeAnswer) {
        return *mMyLockModeAnswer;
    }
    int mode = kKxDocLockNone;
    for (int lockMode : mLocks) {
        mode |= lockMode;
    }
    return mode;
}

Lumo::ErrorStatus KxApDocument::lock(KxApDocLockRequest request) {
    request.result = mLockRefusal;
    mLockRequests.push_back(request);
    if (request.result == Lumo::eOk) {
        mLocks.push_back(request.mode);
    }
    return request.result;
}

Lumo::ErrorStatus KxApDocument::unlock() {
    Lumo::ErrorStatus status = mUnlockRefusal;
    if (status == Lumo::eOk && mLocks.empty()) {
        status = Lumo::eNotLocked;
    }
    mUnlockRequests.push_back(status);
    if (status == Lumo::eOk) {
        mLocks.pop_back();
    }
    return status;
}

Lumo::ErrorStatus KxApDocument::beginCommand(const wchar_t* name) {
    return mpDatabase->beginUndoGroup(KxString(name));
}

Lumo::ErrorStatus KxApDocument::endCommand() {
    return mpDatabase->endUndoGroup();
}

Lumo::ErrorStatus KxApDocument::undo() {
    return mpDatabase->undo();
}

Lumo::ErrorStatus KxApDocument::redo() {
    return mpDatabase->redo();
}

bool KxApDocument::isModified() const {
    return mpDatabase->isModified();
}

Lumo::ErrorStatus KxApDocument::save(const std::string& path, std::string& message) {
    const std::string target = path.empty() ? mPath : path;
    if (target.empty()) {
        message = "the drawing has no file yet: name one";
        return Lumo::eInvalidInput;
    }
    const Lumo::ErrorStatus status = kxdbSaveDrawing(*mpDatabase, target, message);
    if (status == Lumo::eOk) {
        mPath = target;
    }
    return status;
}

Lumo::ErrorStatus KxApDocument::newDrawing(std::string& message) {
    const Lumo::ErrorStatus status = kxdbClearDrawing(*mpDatabase, message);
    if (status == Lumo::eOk) {
        mPath.clear();
    }
    return status;
}

Lumo::ErrorStatus KxApDocument::recover(const std::string& recoveryPath,
                                        const std::string& originalPath, std::string& message) {
    const Lumo::ErrorStatus status = kxdbOpenDrawing(*mpDatabase, recoveryPath, message);
    if (status == Lumo::eOk) {
        mPath = originalPath;
        mpDatabase->markChangedBeyondUndo(); // the original file lacks these changes
    }
    return status;
}

Lumo::ErrorStatus KxApDocument::open(const std::string& path, std::string& message) {
    const Lumo::ErrorStatus status = kxdbOpenDrawing(*mpDatabase, path, message);
    if (status == Lumo::eOk) {
        mPath = path;
    }
    return status;
}
