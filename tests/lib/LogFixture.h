#pragma once
// A throw-away installation for the log writers: a temporary folder, a machine registry file
// naming it, and the environment pointing at both. Restores the environment afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace zrv::test {

class LogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        Remember("ZRV_REGISTRY_FILE");
        Remember("TMPDIR");
        std::string pattern = (fs::temp_directory_path() / "kv_lib_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        registry_ = root_ / "registry.ini";
        setenv("ZRV_REGISTRY_FILE", registry_.c_str(), 1);
        WriteRegistry({ { "ClientPath", Client() } });
    }

    void TearDown() override
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    // The installation folder the registry names by default.
    std::string Client() const { return (root_ / "client").string(); }

    void WriteRegistry(const std::map<std::string, std::string>& values)
    {
        std::ofstream out(registry_, std::ios::trunc);
        out << "[Software\\ZRV\\Orvane]\n";
        for (const auto& [name, value] : values)
            out << name << "=" << value << "\n";
        out.close();
        // The registry notices a changed file by its time stamp and size; make sure both differ.
        std::filesystem::last_write_time(registry_,
            std::filesystem::file_time_type::clock::now() + std::chrono::seconds(++generation_));
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The texts of a log file's lines without their "[time stamp] " heads. A line break inside a
    // text continues it.
    static std::vector<std::string> LogTexts(const std::string& path)
    {
        std::vector<std::string> texts;
        std::istringstream in(ReadFile(path));
        std::string line;
        while (std::getline(in, line)) {
            size_t head = line.find("] ");
            if (!line.empty() && line[0] == '[' && head != std::string::npos)
                texts.push_back(line.substr(head + 2));
            else if (!texts.empty())
                texts.back() += "\n" + line;
        }
        return texts;
    }

    std::filesystem::path root_;
    std::filesystem::path registry_;

private:
    void Remember(const std::string& name)
    {
        const char* value = std::getenv(name.c_str());
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }

    std::map<std::string, std::optional<std::string>> saved_;
    int generation_ = 0;
};

} // namespace zrv::test
