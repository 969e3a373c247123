// The process-wide paths of the settings file and of the temporary JPEG
// file, and GetInstallPaths, which sets them from the installation folder.
//
// Contract: both paths start empty. GetInstallPaths looks the folder up in
// the registry (InstallFolder) and sets szIniPath to the folder followed by
// "/PDFTalvane.ini" and szTempJpgPath to the folder followed by "/temp.jpg";
// a missing key gives an empty folder, so the paths are "/PDFTalvane.ini"
// and "/temp.jpg". When the key exists but its value cannot be read, it shows
// the box "Can't find install path in registry - please reinstall" (caption
// "Install key not found in registry!") and leaves both paths as they were.
// Paths longer than kMaxPath characters are not supported: a folder that
// would make one is treated like an unreadable value, with the same box, so
// no shorter buffer downstream ever receives a longer path.
//
// RunTempJpgPath() is the file a stamp run really writes and embeds:
// szTempJpgPath with "-" and this process's id put before its extension (or
// appended when its file name has none), so that two hosts stamping at once
// with one installation folder never embed each other's picture. An empty
// szTempJpgPath stays empty, for the writer to report. RunTempJpgPathFor
// is the same for a given path and process id; RunTempJpgProcess is its
// inverse, the id a file name was made for, or nullopt for any other name.
//
// RemoveStaleRunTempJpgs deletes the run JPEGs that processes which no longer
// exist left in szTempJpgPath's folder (a host that was killed mid-run), so
// they do not pile up with one name per process. Only names RunTempJpgPathFor
// makes are touched; this process's and those of running processes stay. A
// file that cannot be removed is left for a later run, without a message.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct InstallPaths {
    static constexpr size_t kMaxPath = 251;

    std::string szIniPath;
    std::string szTempJpgPath;

    static InstallPaths& Get();

    std::string RunTempJpgPath() const;
    static std::string RunTempJpgPathFor(const std::string& tempJpgPath, long processId);
    static std::optional<long> RunTempJpgProcess(const std::string& tempJpgPath,
                                                 const std::string& candidatePath);
    void RemoveStaleRunTempJpgs() const;
};

void GetInstallPaths();
