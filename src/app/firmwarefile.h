#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class StatusStrip;

// Firmware files: "*.bin" in the firmware folder, named after the label of
// the hardware they are for, an underscore, a two-character version, any
// further text and the file's MD5 digest as the last 32 characters before
// ".bin", e.g. LENADU_23_<32 hex digits>.bin.

// Files are hashed in pieces of this many bytes.
inline constexpr int FirmwareHashPiece = 16384;
// The largest image the tool sends. The code-121 transfer addresses the image
// with 24-bit byte offsets, so no image of the family is larger; a bigger
// file is not a firmware image and is refused before it is read.
inline constexpr qint64 MaxFirmwareImageSize = 16 * 1024 * 1024;
// A one-time image: its digest is not compared and the file is deleted once read.
inline constexpr int OneTimeFirmwareVersion = 99;

// What a file name says before its digest.
struct FirmwareFileName
{
    QString Label;   // everything before the first "_"; empty when there is none
    int Version = 0; // the leading number of the two characters after it; 0 unusable
};
FirmwareFileName ParseFirmwareFileName(const QString &fileName);

// The digest a path names: the 32 characters before its last four, upper case.
QString NamedDigest(const QString &path);

// The MD5 digest of the whole file as 32 upper-case hex digits, read in
// 16384-byte pieces; empty when the file cannot be opened or read, or is
// no regular file (a pipe, a device).
QString FileMd5(const QString &path);

// The "*.bin" files of a folder, sorted by name (by character code, case
// first), so that "the first file listed" is the same on every file system.
// Listed is false when the folder does not exist or cannot be read.
struct FirmwareListing
{
    QStringList Paths;
    bool Listed = false;
};
FirmwareListing ListFirmwareFiles(const QString &folder);

// Versions of a label that are never installed from a file.
using WithdrawnVersion = std::function<bool(int version)>;

// The file chosen for a label: the highest version, the first listed of
// equal ones; a withdrawn version is never chosen. Version 0: none.
struct FirmwareCandidate
{
    QString Path;
    int Version = 0;
};
FirmwareCandidate ChooseFirmwareFile(const QStringList &paths, const QString &label,
                                     const WithdrawnVersion &withdrawn);

enum class FirmwareFileProblem {
    None,           // the image is usable
    NoFile,         // no file for the label
    DigestMismatch, // the file's digest differs from the one in its name
    Unreadable,     // the file vanished or could not be read whole
    BadSize,        // nothing to send, or larger than any image
};

// A loaded image. Version 0 means there is none to install; Problem says why.
struct FirmwareImage
{
    QString Path;
    int Version = 0;
    QByteArray Bytes;
    FirmwareFileProblem Problem = FirmwareFileProblem::NoFile;
    QString ComputedDigest; // with DigestMismatch
    QString ExpectedDigest;
    qint64 FileSize = 0;    // with BadSize

    int size() const { return int(Bytes.size()); }
};

// The text the tool shows for an image it refused: "MD5 Error" followed by
// both digests, or why the file was not used.
QString FirmwareProblemText(const FirmwareImage &image);

// Chooses the file for label in folder, reads it, and checks the digest of
// the bytes read against its name (except version 99, which is deleted once
// read, or refused). A mismatch shows the "MD5 Error" message box; a file without image
// bytes to send (no more than skippedBytes of them) or larger than
// MaxFirmwareImageSize is refused with a message box too. A usable image
// sets the strip's empty progress bar over its size.
FirmwareImage FindFirmwareFile(const QString &folder, const QString &label, const WithdrawnVersion &withdrawn,
                               StatusStrip &strip, int skippedBytes = 0);

// The choice and digest check FindFirmwareFile makes, without reading the
// file into memory or deleting anything: version 0 with the problem, or the
// chosen file's path and version with Problem None.
FirmwareImage CheckFirmwareFile(const QString &folder, const QString &label, const WithdrawnVersion &withdrawn,
                                int skippedBytes = 0);
