#pragma once
// The running build's version texts, the version found in the settings at
// start, and the operations that format, parse and compare versions (the
// settings upgrade and the update check use them).

#include <QString>

// The running build: decimal digits; the patch text may be empty.
extern const QString versionMajor;
extern const QString versionMinor;
extern const QString versionPatch;
extern const QString releaseDate; // yyyy-MM-dd

// The "version" key as read at start, parsed, and whether it is older than
// the running build. Set once by readSettings.
extern QString storedVersion;
extern int storedVersionMajor;
extern int storedVersionMinor;
extern int storedVersionPatch;
extern bool storedVersionOlder;

// "major.minor", with ".patch" appended when withPatch is set and the patch
// text is not empty.
QString versionString(bool withPatch);

// Reads "major.minor.patch" from the text up to its first blank; missing or
// non-numeric pieces give 0, pieces after the third are ignored.
void parseVersion(const QString& text, int* majorNumber, int* minorNumber, int* patchNumber);

// True when the version in text is newer than the given one.
bool isVersionNewer(const QString& text, int majorNumber, int minorNumber, int patchNumber);
