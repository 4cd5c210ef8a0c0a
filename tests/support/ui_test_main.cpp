// Entry point of the window tests.

#include <cstdlib>
#include <fstream>
#include <string>

#include <QApplication>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The window tests run on the offscreen platform, or on the one HYGROVA_TEST_PLATFORM names
// (xcb under Xvfb). The offscreen platform defaults to an 800 x 800 screen; the windows are
// tested on a common desktop size instead.
void ChooseTestPlatform()
{
    const char* chosen = std::getenv("HYGROVA_TEST_PLATFORM");
    const std::string platform = chosen != nullptr && *chosen != '\0' ? chosen : "offscreen";
    if (platform != "offscreen") {
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
        return;
    }
    const std::string path = "/tmp/hygrova-screens-" + std::to_string(getpid()) + ".json";
    std::ofstream(path) << R"({"screens":[{"name":"S1","x":0,"y":0,"width":1920,"height":1080,)"
                           R"("logicalDpi":96}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).c_str(), 1);
}

}  // namespace

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    ChooseTestPlatform();
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
