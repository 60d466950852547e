// A fresh folder under the system's temporary folder, removed with its contents
// at the end of the test. Paths are plain ASCII, so they mean the same as
// Shift-JIS on every target.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

class CTempDir {
public:
    CTempDir()
    {
        std::random_device rd;
        for (;;) {
            m_dir = std::filesystem::temp_directory_path() / ("tova-test-" + std::to_string(rd()));
            std::error_code ec;
            if (std::filesystem::create_directory(m_dir, ec))
                break;
        }
    }
    ~CTempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Dir() const { return m_dir.string(); }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_dir / name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Number of entries in the folder (to see that no temporary file was left).
    int Count() const
    {
        int n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(m_dir))
            ++n;
        return n;
    }

private:
    std::filesystem::path m_dir;
};
