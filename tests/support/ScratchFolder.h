#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define KX_PROCESS_ID _getpid
#else
#include <unistd.h>
#define KX_PROCESS_ID getpid
#endif

// A folder of the running test's own, made empty on construction and removed with its contents
// at the end. The test's name and the process id keep it apart from tests running beside it.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "kx-";
        name += test ? std::string(test->test_suite_name()) + "." + test->name() : "scratch";
        name += "-" + std::to_string(KX_PROCESS_ID());
        for (char& c : name) {
            if (c == '/' || c == '\\') {
                c = '_';
            }
        }
        mPath = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        // A test may leave a read-only folder inside; open it again so that it can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(mPath, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(mPath, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return mPath; }
    // A file's path in the folder, as the host's file functions take it.
    std::string file(const std::string& name) const { return (mPath / name).string(); }

private:
    std::filesystem::path mPath;
};

#undef KX_PROCESS_ID
