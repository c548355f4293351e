// Test helpers for files: a scratch folder, a hex dump, and a watch that
// tells whether a file was written at all.
#pragma once
#include <filesystem>
#include <string>

// A temporary directory, removed with its files when the object dies.
struct TempDir {
  TempDir();
  ~TempDir();
  std::string path;
  std::string file(const std::string& name) const { return path + "/" + name; }
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
};

// Makes a folder the working directory for the object's life (the program
// looks for its SETUP files and catalogues there).
class InDirectory {
 public:
  explicit InDirectory(const std::string& path);
  ~InDirectory();
  InDirectory(const InDirectory&) = delete;
  InDirectory& operator=(const InDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

std::string hex(const std::string& bytes);

// Sees whether a file was written, by anyone, since the last look: a save
// that writes the bytes the file already held is still a write.
class WriteWatch {
 public:
  explicit WriteWatch(const std::string& path);
  ~WriteWatch();
  WriteWatch(const WriteWatch&) = delete;
  WriteWatch& operator=(const WriteWatch&) = delete;
  bool written();  // since the watch began or the last call

 private:
  int fd_;
};
