#pragma once

// The main of the window benchmarks: Qt's offscreen platform with a screen of the given size
// (described in a file of this process, removed at the end), a QApplication, and the
// benchmarks.

#include <cstdio>   // std::remove
#include <cstdlib>  // setenv
#include <fstream>
#include <string>

#include <QApplication>

#include <benchmark/benchmark.h>
#include <unistd.h>

namespace hygrova::bench {

inline int RunWindowBenchmarks(int argc, char* argv[], int screenWidth, int screenHeight)
{
    const std::string path = "/tmp/hygrova-bench-screens-" + std::to_string(getpid()) + ".json";
    std::ofstream(path) << R"({"screens":[{"name":"S1","x":0,"y":0,"width":)" << screenWidth
                        << R"(,"height":)" << screenHeight << R"(,"logicalDpi":96}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(path.c_str());
    return 0;
}

}  // namespace hygrova::bench
