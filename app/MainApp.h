// The application object: knows the folder of the executable, which holds
// the settings file and the help document.
#pragma once
#include <string>

namespace kelvo {

class MainApp {
public:
    // `modulePath` is the executable's full path.
    explicit MainApp(const std::string& modulePath) : exeFolder_(FolderOf(modulePath)) {}

    // The path cut after its last backslash, which stays; searched character
    // by character so a trail byte of code page 932 never counts.
    static std::string FolderOf(const std::string& path);

    const std::string& ExeFolder() const { return exeFolder_; }

private:
    const std::string exeFolder_;
};

}  // namespace kelvo
