// The log texts of the list-file loader and the whole-file helpers.
#pragma once

namespace files {

inline constexpr char kListFileNotFound[] = " File : %s is not found.";
// A list file that is no plain file (a FIFO, a device) or is far too long is
// refused rather than read without end.
inline constexpr char kListFileNotRegular[] = " File : %s is not a regular file; not read.";
inline constexpr char kListFileTooLarge[] = " File : %s is larger than %d bytes; not read.";
inline constexpr char kListFileGrew[] =
    " File : %s grew past %d bytes while read; the rest is not read.";

// A failure of either helper is first composed as a message, then logged
// behind the prefix; the writer's open failure ends in two blanks.
inline constexpr char kReadFailure[] = "RIDOZOD: %s";
inline constexpr char kWriteOpenFailure[] = "RIDOZOD: %s  ";
inline constexpr char kOpenError[] = "Error %d on open of file '%s'";

inline constexpr char kSeekEndError[] = "Error %d/%d on seek_end of file '%s'";
inline constexpr char kTellError[] = "Error %d/%d on ftell of file '%s'";
inline constexpr char kSeekSetError[] = "Error %d/%d on seek_set of file '%s'";
// The size is a long: a file far beyond any buffer still shows its real size.
inline constexpr char kBufferTooSmall[] =
    "Buffer not big enough: have %d bytes, '%s' is %ld bytes long\n";
inline constexpr char kShortRead[] = "Only read %d out of %d bytes of file '%s'";
inline constexpr char kReadError[] = "Error %d reading file '%s'";
inline constexpr char kReadDone[] = "RIDOZOD: Read %d bytes from '%s'";

inline constexpr char kShortWrite[] = "Only wrote %d out of %d bytes of file '%s'";
inline constexpr char kWriteError[] = "Error %d writing file '%s'";
inline constexpr char kWriteDone[] = "RIDOZOD: Wrote %d bytes to '%s'";

}  // namespace files
