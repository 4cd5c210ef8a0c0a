// Entry point of the window tests.

#include <cstdio>  // std::remove, std::sscanf
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QApplication>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Removes the screen configuration of this process when the process ends.
class ScreenFile {
public:
    ~ScreenFile()
    {
        if (!path.empty()) {
            std::remove(path.c_str());
        }
    }
    std::string path;
};

// The window tests run on the offscreen platform, or on the one HYGROVA_TEST_PLATFORM names
// (xcb under Xvfb). The offscreen platform defaults to an 800 x 800 screen; the windows are
// tested on a common desktop size instead, 1920 x 1080 unless HYGROVA_TEST_SCREEN names one.
void ChooseTestPlatform(ScreenFile& file)
{
    const char* chosen = std::getenv("HYGROVA_TEST_PLATFORM");
    const std::string platform = chosen != nullptr && *chosen != '\0' ? chosen : "offscreen";
    if (platform != "offscreen") {
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
        return;
    }
    // HYGROVA_TEST_SCREEN ("1024x768") chooses another size.
    int width = 1920;
    int height = 1080;
    if (const char* size = std::getenv("HYGROVA_TEST_SCREEN")) {
        std::sscanf(size, "%dx%d", &width, &height);
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("hygrova-screens-" + std::to_string(getpid()) + ".json"))
                                 .string();
    file.path = path;
    std::ofstream(path) << R"({"screens":[{"name":"S1","x":0,"y":0,"width":)" << width
                        << R"(,"height":)" << height << R"(,"logicalDpi":96}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).c_str(), 1);
}

}  // namespace

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    ScreenFile screenFile;
    ChooseTestPlatform(screenFile);
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
