#pragma once
// The charge log's file, history.csv in a folder of the user's own
// (%LOCALAPPDATA%\Kavelo on Windows). Rows are added one write at a time to
// the file held open for appending, which others may read meanwhile, so that
// a crash loses at most the row being written; the whole file is only ever
// replaced by a finished copy, so that a failure midway leaves the old file
// whole. Every failure says why, in a sentence for the details window.
#include <string>
#include <string_view>

namespace kavelo {

class LogFile {
public:
    virtual ~LogFile() = default;

    // The folder, for showing and opening it (UTF-8).
    virtual std::string Folder() const = 0;
    // Creates the folder and any missing folder above it.
    virtual bool MakeFolder(std::string& why) = 0;
    // The whole file; a file that is not there reads as empty.
    virtual bool Read(std::string& text, std::string& why) = 0;
    // Adds `row` at the end in one write, creating the file if needed.
    virtual bool Append(std::string_view row, std::string& why) = 0;
    // Writes `text` to a temporary file beside the log, then puts that file
    // in the log's place.
    virtual bool Replace(std::string_view text, std::string& why) = 0;
    // Shows the folder in the system's file browser.
    virtual void OpenFolder() = 0;
};

}  // namespace kavelo
