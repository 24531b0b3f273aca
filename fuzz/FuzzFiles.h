#pragma once
// A scratch folder for one fuzz target's process: the readers under test
// read real files (as the game does), so each input is written there first.
// The folder is removed when the process ends.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace gravlin::fuzz {

class Scratch {
  public:
    static Scratch& Get() {
        static Scratch scratch;
        return scratch;
    }
    // The folder, with a trailing "/".
    const std::string& Dir() const { return dir_; }
    std::string File(const std::string& name) const { return dir_ + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    // Empties the folder for the next input.
    void Clear() const {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir_, ec)) std::filesystem::remove_all(e.path(), ec);
    }

  private:
    Scratch() {
        char pattern[] = "/tmp/gravlin-fuzz-XXXXXX";
        if (!::mkdtemp(pattern)) {
            std::perror("gravlin fuzz: cannot make a scratch folder");
            std::abort();
        }
        dir_ = std::string(pattern) + "/";
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string dir_;
};

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Stops the run with what went wrong: libFuzzer keeps the input.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "fuzz target: %s\n", what.c_str());
    std::abort();
}

} // namespace gravlin::fuzz
