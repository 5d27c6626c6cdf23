#pragma once

// A fake "xdg-open" put first in PATH for the life of the object. It records each call as its
// arguments, one a line, followed by a line "--end--", so a test sees what would have been opened
// and how many arguments it came in.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

class FakeOpener {
public:
    FakeOpener() {
        char pattern[] = "/tmp/quellmark-opener-XXXXXX";
        m_dir = ::mkdtemp(pattern);
        m_log = m_dir / "opened.log";
        const auto script = m_dir / "xdg-open";
        {
            std::ofstream out(script);
            out << "#!/bin/sh\n"
                << "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '" << m_log.string() << ".part'; done\n"
                << "printf -- '--end--\\n' >> '" << m_log.string() << ".part'\n"
                << "mv '" << m_log.string() << ".part' '" << m_log.string() << "'\n";
        }
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        m_oldPath = path ? path : "";
        ::setenv("PATH", (m_dir.string() + ":" + m_oldPath).c_str(), 1);
    }
    ~FakeOpener() {
        ::setenv("PATH", m_oldPath.c_str(), 1);
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    FakeOpener(const FakeOpener&) = delete;
    FakeOpener& operator=(const FakeOpener&) = delete;

    // The arguments of the first call, waiting up to `timeout` for it; empty when none came.
    std::vector<std::string> WaitForCall(std::chrono::milliseconds timeout = std::chrono::seconds(5)) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!std::filesystem::exists(m_log) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Read();
    }
    // The arguments recorded so far (for "nothing was opened" after a short wait).
    std::vector<std::string> Read() const {
        std::vector<std::string> args;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) {
            args.push_back(line);
        }
        return args;
    }
    bool AnyCall() const {
        return std::filesystem::exists(m_log) || std::filesystem::exists(m_log.string() + ".part");
    }

private:
    std::filesystem::path m_dir;
    std::filesystem::path m_log;
    std::string m_oldPath;
};
