#pragma once

#include <filesystem>

// A fresh empty directory that is the working directory while the object lives;
// the previous working directory comes back and the directory goes afterwards.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  private:
    std::filesystem::path previous;
    std::filesystem::path path;
};
