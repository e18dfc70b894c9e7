#include "skin/core/SUIThemeFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <set>

#include "host/sys/Files.h"
#include "host/ui/Identifiers.h"

namespace {

constexpr char kSignature[] = "MoraleafSkin";
constexpr std::uint32_t kFormatVersion = 1;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8
        | static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void WriteU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> U32Bytes(std::uint32_t value)
{
    std::vector<std::uint8_t> bytes(4);
    WriteU32(bytes, 0, value);
    return bytes;
}

// Walks the record chain of one file, raising the damage it finds.
class TChainReader {
public:
    TChainReader(std::span<const std::uint8_t> bytes, const std::string& fileName)
        : bytes_(bytes)
        , fileName_(fileName)
    {
    }

    std::vector<TsuiThemeFileRecord> Read()
    {
        if (bytes_.size() < kThemeHeaderLength)
            Damaged("the header is cut short");
        const std::uint32_t headerLength = ReadU32(bytes_, 12);
        if (headerLength != kThemeHeaderLength)
            Damaged("the header length is " + std::to_string(headerLength) + ", not 24");
        std::vector<TsuiThemeFileRecord> records;
        std::uint32_t at = ReadU32(bytes_, 20);
        for (;;) {
            Visit(at);
            const std::uint32_t next = ReadU32(bytes_, at + 73);
            if (next == 0)
                return records;
            if (auto record = Value(at))
                records.push_back(std::move(*record));
            at = next;
        }
    }

private:
    [[noreturn]] void Damaged(const std::string& what) const
    {
        throw EThemeFileError("Theme file \"" + fileName_ + "\" is damaged: " + what);
    }

    // Records take 77 bytes of their own; one that shares bytes with an earlier one would let
    // the chain run in circles.
    void Visit(std::uint32_t at)
    {
        if (at > bytes_.size() || bytes_.size() - at < kThemeRecordLength)
            Damaged("the record at offset " + std::to_string(at) + " lies outside the file");
        const auto near = visited_.lower_bound(at >= kThemeRecordLength ? at - kThemeRecordLength + 1 : 0);
        if (near != visited_.end() && *near < at + kThemeRecordLength) {
            if (*near == at)
                Damaged("the record chain comes back to the record at offset " + std::to_string(at));
            Damaged("the record at offset " + std::to_string(at) + " overlaps the record at offset " + std::to_string(*near));
        }
        visited_.insert(at);
    }

    std::optional<TsuiThemeFileRecord> Value(std::uint32_t at) const
    {
        const auto name = bytes_.subspan(at, kThemeNameLength);
        TsuiThemeFileRecord record;
        record.Name.assign(name.begin(), std::find(name.begin(), name.end(), std::uint8_t { 0 }));
        const std::uint8_t type = bytes_[at + 64];
        if (type > suiRecordText)
            return std::nullopt;
        record.Type = static_cast<TsuiThemeRecordType>(type);
        const std::uint32_t offset = ReadU32(bytes_, at + 65);
        const std::uint32_t length = ReadU32(bytes_, at + 69);
        if (offset > bytes_.size() || bytes_.size() - offset < length)
            Damaged("the value of \"" + record.Name + "\" lies outside the file");
        if (record.Type == suiRecordInteger && length != 4)
            Damaged("the integer \"" + record.Name + "\" is " + std::to_string(length) + " bytes long, not 4");
        if (record.Type == suiRecordBoolean && length != 1)
            Damaged("the boolean \"" + record.Name + "\" is " + std::to_string(length) + " bytes long, not 1");
        record.Data = record.Type == suiRecordImage && length == 0 ? bytes_ : bytes_.subspan(offset, length);
        return record;
    }

    std::span<const std::uint8_t> bytes_;
    const std::string& fileName_;
    std::set<std::uint32_t> visited_;
};

template <typename List> auto FindByName(const List& list, std::string_view name)
{
    return std::find_if(list.begin(), list.end(), [name](const auto& item) { return SameIdent(item.first, name); });
}

} // namespace

std::vector<TsuiThemeFileRecord> ReadThemeFileRecords(std::span<const std::uint8_t> Bytes, const std::string& FileName)
{
    return TChainReader(Bytes, FileName).Read();
}

std::int32_t ThemeRecordInt(const TsuiThemeFileRecord& Record)
{
    return static_cast<std::int32_t>(ReadU32(Record.Data, 0));
}

std::uint8_t ThemeRecordByte(const TsuiThemeFileRecord& Record)
{
    return Record.Data[0];
}

TsuiThemeFileReader::TsuiThemeFileReader(const std::string& FileName)
{
    LoadFromFile(FileName);
}

TsuiThemeFileReader::TsuiThemeFileReader(std::vector<std::uint8_t> Bytes, const std::string& FileName)
{
    LoadFromBytes(std::move(Bytes), FileName);
}

void TsuiThemeFileReader::LoadFromFile(const std::string& FileName)
{
    LoadFromBytes(ReadFileBytes(FileName), FileName);
}

void TsuiThemeFileReader::LoadFromBytes(std::vector<std::uint8_t> Bytes, const std::string& FileName)
{
    const std::vector<TsuiThemeFileRecord> records = ReadThemeFileRecords(Bytes, FileName);
    bool holdsImages = false;
    for (const TsuiThemeFileRecord& record : records) {
        switch (record.Type) {
        case suiRecordImage:
            Images.push_back({ record.Name, record.Data });
            holdsImages = true;
            break;
        case suiRecordInteger:
            Ints.emplace_back(record.Name, ThemeRecordInt(record));
            break;
        case suiRecordBoolean:
            Bools.emplace_back(record.Name, ThemeRecordByte(record));
            break;
        case suiRecordText:
            break;
        }
    }
    // Moving the buffer keeps its storage, so the images' spans stay valid.
    if (holdsImages)
        Files.push_back(std::move(Bytes));
}

std::optional<std::span<const std::uint8_t>> TsuiThemeFileReader::GetImage(std::string_view Name) const
{
    const auto it
        = std::find_if(Images.begin(), Images.end(), [Name](const TImage& image) { return SameIdent(image.Name, Name); });
    if (it == Images.end())
        return std::nullopt;
    return it->Bytes;
}

bool TsuiThemeFileReader::GetBool(std::string_view Name) const
{
    const auto it = FindByName(Bools, Name);
    return it != Bools.end() && it->second != 0;
}

int TsuiThemeFileReader::GetInt(std::string_view Name) const
{
    const auto it = FindByName(Ints, Name);
    return it != Ints.end() ? it->second : -1;
}

void TsuiThemeFileWriter::Add(const std::string& Name, TsuiThemeRecordType Type, std::vector<std::uint8_t> Data)
{
    if (Name.size() > kThemeNameLength || Name.find('\0') != std::string::npos)
        throw Exception("Theme entry name \"" + Name + "\" is not valid");
    Values.push_back({ Name, Type, std::move(Data) });
}

void TsuiThemeFileWriter::AddImage(const std::string& Name, std::span<const std::uint8_t> Bytes)
{
    // Data length 0 would stand for the whole file.
    if (Bytes.empty())
        throw Exception("Theme image \"" + Name + "\" is empty");
    Add(Name, suiRecordImage, { Bytes.begin(), Bytes.end() });
}

void TsuiThemeFileWriter::AddInt(const std::string& Name, std::int32_t Value)
{
    Add(Name, suiRecordInteger, U32Bytes(static_cast<std::uint32_t>(Value)));
}

void TsuiThemeFileWriter::AddBool(const std::string& Name, std::uint8_t Value)
{
    Add(Name, suiRecordBoolean, { Value });
}

void TsuiThemeFileWriter::AddText(const std::string& Name, const std::string& Text)
{
    Add(Name, suiRecordText, { Text.begin(), Text.end() });
}

std::vector<std::uint8_t> TsuiThemeFileWriter::SaveToBytes() const
{
    const std::size_t records = Values.size() + 1;
    std::size_t size = kThemeHeaderLength + records * kThemeRecordLength;
    for (const TValue& value : Values)
        size += value.Data.size();
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw Exception("Theme file is too large");

    std::vector<std::uint8_t> bytes(size);
    std::memcpy(bytes.data(), kSignature, 12);
    WriteU32(bytes, 12, kThemeHeaderLength);
    WriteU32(bytes, 16, kFormatVersion);
    WriteU32(bytes, 20, kThemeHeaderLength);
    std::size_t data = kThemeHeaderLength + records * kThemeRecordLength;
    for (std::size_t i = 0; i < Values.size(); ++i) {
        const TValue& value = Values[i];
        const std::size_t at = kThemeHeaderLength + i * kThemeRecordLength;
        std::memcpy(bytes.data() + at, value.Name.data(), value.Name.size());
        bytes[at + 64] = value.Type;
        WriteU32(bytes, at + 65, static_cast<std::uint32_t>(data));
        WriteU32(bytes, at + 69, static_cast<std::uint32_t>(value.Data.size()));
        WriteU32(bytes, at + 73, static_cast<std::uint32_t>(at + kThemeRecordLength));
        std::copy(value.Data.begin(), value.Data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(data));
        data += value.Data.size();
    }
    // The last record only ends the chain: no name, next offset 0.
    return bytes;
}

void TsuiThemeFileWriter::SaveToFile(const std::string& FileName) const
{
    WriteFileBytes(FileName, SaveToBytes());
}
