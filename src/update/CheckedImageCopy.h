// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace modflash {

// A private, read-only copy of exactly the bytes the checks before writing read, for the tool
// to write. The tools open the image path again when they get to it, seconds or minutes after
// the check: a browser still saving a download, or anyone with write access to the file, would
// otherwise have them write bytes nobody checked. The copy lives in a directory only this user
// may enter, under the user's runtime directory, and is removed with this object.
class CheckedImageCopy {
public:
    // Writes the copy under the file name of originalPath; throws std::runtime_error with a
    // reason when it cannot.
    CheckedImageCopy(const std::string& originalPath, const std::string& bytes);
    ~CheckedImageCopy();

    CheckedImageCopy(const CheckedImageCopy&) = delete;
    CheckedImageCopy& operator=(const CheckedImageCopy&) = delete;

    const std::string& path() const { return m_path; }

private:
    void createDirectory();
    void writeFile(const std::string& fileName, const std::string& bytes);

    std::unique_ptr<QTemporaryDir> m_directory;
    std::string m_path;
};

} // namespace modflash
