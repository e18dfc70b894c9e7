#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/sys/Exception.h"

// A theme file is a 24-byte header and a chain of 77-byte entry records, each pointing at its
// value somewhere in the file; all numbers are little-endian 32-bit.
//
//   header  0..11 free (our writer puts "MoraleafSkin"), 12 header length (24),
//           16..19 free (our writer puts the format version 1), 20 offset of the first record
//   record  0 name (64 bytes, zero-ended when shorter), 64 type, 65 data offset,
//           69 data length, 73 next record's offset (0 ends the chain)
//
// The record that ends the chain is not a value. An image with data length 0 stands for the
// whole file.
constexpr int kThemeHeaderLength = 24;
constexpr int kThemeRecordLength = 77;
constexpr int kThemeNameLength = 64;

enum TsuiThemeRecordType : std::uint8_t { suiRecordImage = 0, suiRecordInteger = 1, suiRecordBoolean = 2, suiRecordText = 3 };

// A theme file that breaks its format: "Theme file "NAME" is damaged: WHAT".
class EThemeFileError : public EReadError {
public:
    using EReadError::EReadError;
};

// One value of a theme file; Data points into the file's bytes.
struct TsuiThemeFileRecord {
    std::string Name;
    TsuiThemeRecordType Type = suiRecordImage;
    std::span<const std::uint8_t> Data;
};

// The values of a theme file in chain order; records of other types carry nothing and are left
// out. Checks that the header is 24 bytes long, that every record and every value read lies
// inside the file, that integers are 4 bytes and booleans 1, and that no record overlaps
// another (so the chain cannot come back to one); EThemeFileError otherwise. FileName is
// for the message only.
std::vector<TsuiThemeFileRecord> ReadThemeFileRecords(std::span<const std::uint8_t> Bytes, const std::string& FileName);

// The integer or boolean of a record of that type.
std::int32_t ThemeRecordInt(const TsuiThemeFileRecord& Record);
std::uint8_t ThemeRecordByte(const TsuiThemeFileRecord& Record);

// Every value of one or more theme files, looked up by name without regard to letter case; of
// two values of one name and kind the first read wins. Text values are checked but not kept:
// nothing asks for them.
class TsuiThemeFileReader {
public:
    // Reads the file; EFOpenError when it cannot be read, EThemeFileError when it is damaged.
    explicit TsuiThemeFileReader(const std::string& FileName);
    // Reads a theme file already in memory; FileName names it in messages.
    TsuiThemeFileReader(std::vector<std::uint8_t> Bytes, const std::string& FileName);
    TsuiThemeFileReader(const TsuiThemeFileReader&) = delete;
    TsuiThemeFileReader& operator=(const TsuiThemeFileReader&) = delete;

    // Adds the values of another file; a damaged file adds nothing.
    void LoadFromFile(const std::string& FileName);
    void LoadFromBytes(std::vector<std::uint8_t> Bytes, const std::string& FileName);

    // The bytes of the image (a Windows bitmap file image, undecoded), or none.
    std::optional<std::span<const std::uint8_t>> GetImage(std::string_view Name) const;
    // The stored byte (any byte but 0 is true); false when absent.
    bool GetBool(std::string_view Name) const;
    // The stored integer; -1 when absent.
    int GetInt(std::string_view Name) const;

private:
    struct TImage {
        std::string Name;
        std::span<const std::uint8_t> Bytes;
    };

    // The files whose images are held; the images point into them.
    std::vector<std::vector<std::uint8_t>> Files;
    std::vector<TImage> Images;
    std::vector<std::pair<std::string, std::int32_t>> Ints;
    std::vector<std::pair<std::string, std::uint8_t>> Bools;
};

// Makes a theme file: the values in the order added, each record followed by the next, the
// values after the records.
class TsuiThemeFileWriter {
public:
    // A name is at most 64 bytes and holds no zero byte; an image is not empty.
    void AddImage(const std::string& Name, std::span<const std::uint8_t> Bytes);
    void AddInt(const std::string& Name, std::int32_t Value);
    void AddBool(const std::string& Name, std::uint8_t Value);
    void AddText(const std::string& Name, const std::string& Text);

    std::vector<std::uint8_t> SaveToBytes() const;
    // EFOpenError ("Cannot create file ...") when the file cannot be written.
    void SaveToFile(const std::string& FileName) const;

private:
    struct TValue {
        std::string Name;
        TsuiThemeRecordType Type;
        std::vector<std::uint8_t> Data;
    };
    void Add(const std::string& Name, TsuiThemeRecordType Type, std::vector<std::uint8_t> Data);

    std::vector<TValue> Values;
};
