#pragma once
// Copies a set of files into a folder as one unit, so that the folder holds
// either all of its old files or all of the new ones, never a mix.
//
// The new files are first copied under temporary names (name.new), each
// written to the disk and compared with its source. Only then is a marker
// file written, each old file moved aside (name.old) and the new one renamed
// into its place, one file after the other; a failure on the way renames
// everything back. The files moved aside are deleted last, then the marker.
// A stop of the program between the renames leaves the marker: the next use
// of the folder finishes the replacement forward (FinishInterruptedCopy).
// The marker is emptied on the disk before it is deleted, and an empty one
// counts as none: a deletion that a power cut loses must not bring back a
// marker that a later copy's fresh files would then be finished by.
// Without a marker, files under temporary names are left-overs of a copy that
// never began to replace anything, or old files that could not be deleted
// (held by another program), and go when they can. Such a left-over never
// blocks a later copy: old files then move aside under name.old2 and on.

#include <functional>
#include <string>
#include <vector>

#include "Platform/File.h"

namespace vk {

struct TCopyPiece {
  // The file to copy; empty when the set has no such file, so that the
  // folder's file of that name goes too.
  std::string Source;
  // Its name in the target folder.
  std::string Name;
};

inline constexpr const char* kNewSuffix = ".new";
inline constexpr const char* kOldSuffix = ".old";  // and .old2 .. .old9
// In a folder while its files are being replaced.
inline constexpr const char* kReplacingMarker = "pair.replacing";

// Finishes a replacement of the named files that a stop cut short (renames
// each name.new into place, deletes the old files it can and the marker), or
// without a marker deletes the left-overs it can. False when a marked
// replacement could not be finished; the next call tries again.
bool FinishInterruptedCopy(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& names);

// Ends the folder's marker durably (see above). False when it may still
// count on the disk.
bool DropReplacingMarker(platform::FileSystem& fs, const std::string& folder);

// Deletes what copies into the folder left of the named files: name.new and
// the old files moved aside. Best effort.
void DeleteCopyLeftovers(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& names);

// Whether the copied files (their temporary names, one per piece in order;
// empty for a piece without source) may replace the folder's.
using TFreshCheck = std::function<bool(const std::vector<std::string>& fresh)>;

// True when the folder holds the new set. False when a step failed or check
// refused the copies; the folder then holds its old files again (barring a
// second failure while putting them back).
bool CopyAsOne(platform::FileSystem& fs, const std::vector<TCopyPiece>& pieces, const std::string& folder,
               const TFreshCheck& check = {});

// Whether two files hold the same bytes; false when either cannot be read.
bool SameBytes(platform::FileSystem& fs, const std::string& a, const std::string& b);

}  // namespace vk
