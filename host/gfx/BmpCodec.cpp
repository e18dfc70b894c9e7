#include "host/gfx/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <unordered_map>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// Rows are copied and widened as little-endian words.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr char kInvalidText[] = "Bitmap image is not valid";
constexpr char kReadErrorText[] = "Stream read error";

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic(kInvalidText);
}

[[noreturn]] void ShortRead()
{
    throw EReadError(kReadErrorText);
}

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
// From this size on (V2, V3, V4, V5) the header carries the colour masks itself.
constexpr std::uint32_t kMaskedHeaderSize = 52;
// OS/2's second header: compression 3 there means Huffman coding, not bit fields.
constexpr std::uint32_t kOs2InfoHeaderSize = 64;

constexpr std::uint32_t kMask555[3] = { 0x7C00, 0x03E0, 0x001F };
constexpr std::uint32_t kMask888[3] = { 0xFF0000, 0x00FF00, 0x0000FF };

std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16
        | static_cast<std::uint32_t>(p[3]) << 24;
}

// Blue, green, red in memory order is exactly a pixel's little-endian low 24 bits.
TPixel Get24(const std::uint8_t* p)
{
    return static_cast<TPixel>(p[0]) | static_cast<TPixel>(p[1]) << 8 | static_cast<TPixel>(p[2]) << 16;
}

// What the headers say about the picture, checked against the data's length.
struct TDibLayout {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t masks[3] = { 0, 0, 0 };
    std::size_t tableOffset = 0;
    std::size_t tableCount = 0;
    std::size_t entrySize = 4;
    std::size_t pixelOffset = 0;
};

bool ValidBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(std::uint32_t compression, int bits, std::uint32_t headerSize)
{
    switch (compression) {
    case BI_RGB:
        return true;
    case BI_RLE8:
        return bits == 8;
    case BI_RLE4:
        return bits == 4;
    case BI_BITFIELDS:
        return (bits == 16 || bits == 32) && headerSize != kOs2InfoHeaderSize;
    default:
        return false;
    }
}

TDibLayout ReadLayout(std::span<const std::uint8_t> file)
{
    if (file.size() < kFileHeaderSize)
        ShortRead();
    if (file[0] != 'B' || file[1] != 'M')
        Invalid();
    if (file.size() < kFileHeaderSize + 4)
        ShortRead();
    const std::uint8_t* header = file.data() + kFileHeaderSize;
    const std::uint32_t headerSize = Get32(header);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)
        Invalid();
    if (file.size() - kFileHeaderSize < headerSize)
        ShortRead();

    TDibLayout layout;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int planes = 0;
    std::uint32_t colorsUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        width = Get16(header + 4);
        height = Get16(header + 6);
        planes = Get16(header + 8);
        layout.bitCount = Get16(header + 10);
        layout.entrySize = 3;
    } else {
        width = static_cast<std::int32_t>(Get32(header + 4));
        height = static_cast<std::int32_t>(Get32(header + 8));
        planes = Get16(header + 12);
        layout.bitCount = Get16(header + 14);
        layout.compression = Get32(header + 16);
        colorsUsed = Get32(header + 32);
    }
    if (planes != 1 || !ValidBitCount(layout.bitCount) || !CompressionFits(layout.compression, layout.bitCount, headerSize))
        Invalid();
    layout.bottomUp = height > 0;
    height = height < 0 ? -height : height;
    if (width <= 0 || height == 0 || width > kBmpMaxSide || height > kBmpMaxSide || width * height > kBmpMaxPixels)
        Invalid();
    // Run-length data is only ever laid out bottom-up.
    if (!layout.bottomUp && (layout.compression == BI_RLE8 || layout.compression == BI_RLE4))
        Invalid();
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);

    std::size_t tableOffset = kFileHeaderSize + headerSize;
    if (layout.compression == BI_BITFIELDS) {
        const std::uint8_t* masks = header + kInfoHeaderSize;
        if (headerSize < kMaskedHeaderSize) {
            if (file.size() - tableOffset < 12)
                ShortRead();
            masks = file.data() + tableOffset;
            tableOffset += 12;
        }
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = Get32(masks + 4 * i);
    } else if (layout.bitCount == 16) {
        std::copy_n(kMask555, 3, layout.masks);
    } else if (layout.bitCount == 32) {
        std::copy_n(kMask888, 3, layout.masks);
    }

    std::uint64_t count = colorsUsed;
    if (count == 0 && layout.bitCount <= 8)
        count = std::uint64_t { 1 } << layout.bitCount;
    // The pixels start where the file header says and cut the colour table short there (a
    // core header cannot say how long its table is); an offset back into the headers means
    // the pixels follow the whole table.
    const std::size_t offBits = Get32(file.data() + 10);
    const bool offsetFollowsHeaders = offBits >= tableOffset;
    if (offsetFollowsHeaders)
        count = std::min<std::uint64_t>(count, (offBits - tableOffset) / layout.entrySize);
    if ((file.size() - tableOffset) / layout.entrySize < count)
        ShortRead();
    layout.tableOffset = tableOffset;
    layout.tableCount = static_cast<std::size_t>(count);
    const std::size_t tableEnd = tableOffset + layout.tableCount * layout.entrySize;
    layout.pixelOffset = std::min(offsetFollowsHeaders ? offBits : tableEnd, file.size());
    return layout;
}

// Hot loops move four pixels per 16-byte load or store.
using TPixel4 = TPixel __attribute__((vector_size(16)));

void Fill(TPixel* out, std::size_t count, TPixel value)
{
    const TPixel4 group = { value, value, value, value };
    std::size_t x = 0;
    for (; x + 4 <= count; x += 4)
        std::memcpy(out + x, &group, sizeof group);
    for (; x < count; ++x)
        out[x] = value;
}

using TPalette = std::array<TPixel, 256>;

// Entries the bit depth cannot index are read past; indexes beyond the table give black.
TPalette ReadPalette(std::span<const std::uint8_t> file, const TDibLayout& layout)
{
    TPalette palette {};
    if (layout.bitCount > 8)
        return palette;
    const std::size_t usable = std::min(layout.tableCount, std::size_t { 1 } << layout.bitCount);
    const std::uint8_t* entry = file.data() + layout.tableOffset;
    for (std::size_t i = 0; i < usable; ++i, entry += layout.entrySize)
        palette[i] = Get24(entry);
    return palette;
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
class TChannel {
public:
    explicit TChannel(std::uint32_t fieldMask)
    {
        if (fieldMask == 0)
            return;
        shift_ = static_cast<unsigned>(std::countr_zero(fieldMask));
        int bits = std::bit_width(fieldMask >> shift_);
        // Wider fields keep their top 8 bits.
        if (bits > 8) {
            shift_ += static_cast<unsigned>(bits - 8);
            bits = 8;
        }
        mask_ = (1u << bits) - 1;
        for (std::uint32_t v = 0; v <= mask_; ++v)
            scale_[v] = static_cast<std::uint8_t>((v * 255 + mask_ / 2) / mask_);
    }
    TPixel operator()(std::uint32_t pixel) const { return scale_[(pixel >> shift_) & mask_]; }

private:
    unsigned shift_ = 0;
    std::uint32_t mask_ = 0;
    std::array<std::uint8_t, 256> scale_ {};
};

struct TRowContext {
    const TPalette& palette;
    TChannel red;
    TChannel green;
    TChannel blue;
};

using TRowDecoder = void (*)(const std::uint8_t* in, int count, TPixel* out, const TRowContext& ctx);

void Row1(const std::uint8_t* in, int count, TPixel* out, const TRowContext& ctx)
{
    for (int x = 0; x < count; ++x)
        out[x] = ctx.palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
}

void Row4(const std::uint8_t* in, int count, TPixel* out, const TRowContext& ctx)
{
    for (int x = 0; x < count; ++x)
        out[x] = ctx.palette[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
}

void Row8(const std::uint8_t* in, int count, TPixel* out, const TRowContext& ctx)
{
    const TPixel* palette = ctx.palette.data();
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        const TPixel4 group = { palette[in[x]], palette[in[x + 1]], palette[in[x + 2]], palette[in[x + 3]] };
        std::memcpy(out + x, &group, sizeof group);
    }
    for (; x < count; ++x)
        out[x] = palette[in[x]];
}

void Row16(const std::uint8_t* in, int count, TPixel* out, const TRowContext& ctx)
{
    for (int x = 0; x < count; ++x, in += 2) {
        const std::uint32_t p = Get16(in);
        out[x] = ctx.red(p) << 16 | ctx.green(p) << 8 | ctx.blue(p);
    }
}

// Blue-green-red triples become pixels by spreading every 12 bytes into 16, a zero byte after
// each triple. A vector load takes more bytes than the triples it spreads, so the loads stay
// inside the row: from the row's start while they fit, then one load that ends with the row
// and rewrites the last pixels; what lies between is left to the plain loop.
void Row24Tail(const std::uint8_t* in, int x, int count, TPixel* out)
{
    for (in += 3 * x; x < count; ++x, in += 3)
        out[x] = Get24(in);
}

#if defined(__x86_64__)
// Four pixels from the first or the last 12 of 16 bytes.
__attribute__((target("ssse3"))) void Spread4(const std::uint8_t* bytes, TPixel* out, bool last)
{
    const __m128i order = last ? _mm_setr_epi8(4, 5, 6, -1, 7, 8, 9, -1, 10, 11, 12, -1, 13, 14, 15, -1)
                               : _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(loaded, order));
}

__attribute__((target("ssse3"))) void Row24Ssse3(const std::uint8_t* in, int count, TPixel* out, const TRowContext&)
{
    int x = 0;
    for (; 3 * (count - x) >= 16; x += 4)
        Spread4(in + 3 * x, out + x, false);
    if (x > 0 && x < count) {
        Spread4(in + 3 * count - 16, out + count - 4, true);
        count -= 4;
    }
    Row24Tail(in, x, count, out);
}

// Eight pixels from the first or the last 24 of 32 bytes, 12 to each 16-byte half.
__attribute__((target("avx2"))) void Spread8(const std::uint8_t* bytes, TPixel* out, bool last)
{
    const __m256i halves = last ? _mm256_setr_epi32(2, 3, 4, 4, 5, 6, 7, 7) : _mm256_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5);
    const __m256i order = _mm256_setr_epi8(
        0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m256i loaded = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(loaded, halves), order));
}

__attribute__((target("avx2"))) void Row24Avx2(const std::uint8_t* in, int count, TPixel* out, const TRowContext&)
{
    int x = 0;
    for (; 3 * (count - x) >= 32; x += 8)
        Spread8(in + 3 * x, out + x, false);
    if (x > 0 && x < count) {
        Spread8(in + 3 * count - 32, out + count - 8, true);
        count -= 8;
    }
    Row24Tail(in, x, count, out);
}
#endif

void Row24(const std::uint8_t* in, int count, TPixel* out, const TRowContext&)
{
    Row24Tail(in, 0, count, out);
}

// The widest vector loop this processor has.
TRowDecoder FastestRow24()
{
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return Row24Avx2;
    if (__builtin_cpu_supports("ssse3"))
        return Row24Ssse3;
#endif
    return Row24;
}

void Row32(const std::uint8_t* in, int count, TPixel* out, const TRowContext&)
{
    int x = 0;
    for (; x + 4 <= count; x += 4, in += 16) {
        TPixel4 group;
        std::memcpy(&group, in, sizeof group);
        group &= 0xFFFFFF;
        std::memcpy(out + x, &group, sizeof group);
    }
    for (; x < count; ++x, in += 4)
        out[x] = Get32(in) & 0xFFFFFF;
}

void Row32Fields(const std::uint8_t* in, int count, TPixel* out, const TRowContext& ctx)
{
    for (int x = 0; x < count; ++x, in += 4) {
        const std::uint32_t p = Get32(in);
        out[x] = ctx.red(p) << 16 | ctx.green(p) << 8 | ctx.blue(p);
    }
}

TRowDecoder RowDecoderFor(const TDibLayout& layout)
{
    switch (layout.bitCount) {
    case 1:
        return Row1;
    case 4:
        return Row4;
    case 8:
        return Row8;
    case 16:
        return Row16;
    case 24: {
        static const TRowDecoder row24 = FastestRow24();
        return row24;
    }
    default:
        return std::equal(layout.masks, layout.masks + 3, kMask888) ? Row32 : Row32Fields;
    }
}

// Writes every pixel once: decoded where the data reaches, the fill elsewhere.
void DecodeRows(
    const TDibLayout& layout, std::span<const std::uint8_t> data, const TPalette& palette, TPixel fill, TPixel* pixels)
{
    const TRowDecoder decode = RowDecoderFor(layout);
    // Only bit-field rows need the channel tables, which cost more than a small picture.
    const bool fields = decode == Row16 || decode == Row32Fields;
    const TRowContext ctx { palette, TChannel(fields ? layout.masks[0] : 0), TChannel(fields ? layout.masks[1] : 0),
        TChannel(fields ? layout.masks[2] : 0) };
    const std::uint64_t bits = static_cast<std::uint64_t>(layout.bitCount);
    const std::uint64_t stride = (static_cast<std::uint64_t>(layout.width) * bits + 31) / 32 * 4;
    for (int row = 0; row < layout.height; ++row) {
        const int y = layout.bottomUp ? layout.height - 1 - row : row;
        TPixel* out = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width);
        const std::uint64_t start = static_cast<std::uint64_t>(row) * stride;
        // Only a row the data cuts short needs its whole pixels counted.
        int count = layout.width;
        if (start + stride > data.size()) {
            const std::uint64_t available = start < data.size() ? data.size() - start : 0;
            count = static_cast<int>(std::min<std::uint64_t>(static_cast<std::uint64_t>(layout.width), available * 8 / bits));
        }
        if (count > 0)
            decode(data.data() + start, count, out, ctx);
        Fill(out + count, static_cast<std::size_t>(layout.width - count), fill);
    }
}

// Runs, deltas and absolute runs are cut at the image's edges and at the data's end; the
// pixels they leave out keep the fill.
void DecodeRle(const TDibLayout& layout, std::span<const std::uint8_t> data, const TPalette& palette, TPixel* pixels)
{
    const bool nibbles = layout.compression == BI_RLE4;
    const int width = layout.width;
    const std::size_t size = data.size();
    int x = 0;
    int y = 0; // counted from the bottom row
    std::size_t i = 0;
    while (i + 2 <= size && y < layout.height) {
        const int count = data[i];
        const std::uint8_t value = data[i + 1];
        i += 2;
        TPixel* row = pixels + static_cast<std::size_t>(layout.height - 1 - y) * static_cast<std::size_t>(width);
        if (count > 0) {
            const int end = std::min(x + count, width);
            if (nibbles) {
                const TPixel colors[2] = { palette[value >> 4], palette[value & 0x0F] };
                for (int k = 0; x + k < end; ++k)
                    row[x + k] = colors[k & 1];
            } else {
                std::fill(row + x, row + end, palette[value]);
            }
            x = end;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 2 > size)
                break;
            x = std::min(x + data[i], width);
            y += data[i + 1];
            i += 2;
        } else {
            const std::size_t bytes = nibbles ? (value + 1u) / 2 : value;
            const std::size_t present = std::min(bytes, size - i);
            const int readable = static_cast<int>(nibbles ? present * 2 : present);
            const int end = std::min({ x + static_cast<int>(value), x + readable, width });
            for (int k = 0; x + k < end; ++k) {
                const std::uint8_t byte = data[i + static_cast<std::size_t>(nibbles ? k / 2 : k)];
                row[x + k] = palette[nibbles ? ((k & 1) ? byte & 0x0F : byte >> 4) : byte];
            }
            x = std::min(x + static_cast<int>(value), width);
            i += bytes + (bytes & 1);
        }
    }
}

TPixelFormat FormatOf(const TDibLayout& layout)
{
    switch (layout.bitCount) {
    case 1:
        return TPixelFormat::pf1bit;
    case 4:
        return TPixelFormat::pf4bit;
    case 8:
        return TPixelFormat::pf8bit;
    case 16:
        return std::equal(layout.masks, layout.masks + 3, kMask555) ? TPixelFormat::pf15bit : TPixelFormat::pf16bit;
    case 24:
        return TPixelFormat::pf24bit;
    default:
        return TPixelFormat::pf32bit;
    }
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The bitmap's colours in order of first appearance, or nothing when there are over 256.
std::vector<TPixel> CollectPalette(const TBitmap& bitmap)
{
    std::vector<TPixel> palette;
    std::unordered_map<TPixel, int> seen;
    for (TPixel p : bitmap.Pixels()) {
        if (seen.emplace(p & 0xFFFFFF, 0).second) {
            if (palette.size() == 256)
                return {};
            palette.push_back(p & 0xFFFFFF);
        }
    }
    return palette;
}

} // namespace

TBmpImage DecodeBmp(std::span<const std::uint8_t> file)
{
    const TDibLayout layout = ReadLayout(file);
    const TPalette palette = ReadPalette(file, layout);
    const TPixel fill = layout.bitCount <= 8 ? palette[0] : 0;

    TBmpImage image;
    image.Width = layout.width;
    image.Height = layout.height;
    image.Format = FormatOf(layout);
    image.Pixels.resize(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height));
    const std::span<const std::uint8_t> data = file.subspan(layout.pixelOffset);
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        Fill(image.Pixels.data(), image.Pixels.size(), fill);
        DecodeRle(layout, data, palette, image.Pixels.data());
    } else {
        DecodeRows(layout, data, palette, fill, image.Pixels.data());
    }
    return image;
}

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap, int bitsPerPixel)
{
    if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
        throw Exception("Cannot write a bitmap at " + std::to_string(bitsPerPixel) + " bits per pixel");
    if (bitmap.Empty())
        return {};
    std::vector<TPixel> palette;
    if (bitsPerPixel == 8) {
        palette = CollectPalette(bitmap);
        if (palette.empty())
            bitsPerPixel = 24;
    }
    const std::size_t width = static_cast<std::size_t>(bitmap.PixelWidth());
    const std::size_t height = static_cast<std::size_t>(bitmap.PixelHeight());
    const std::size_t stride = (width * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
    const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + palette.size() * 4;
    const std::size_t imageSize = stride * height;

    std::vector<std::uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(offBits + imageSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offBits));
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, BI_RGB);
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(palette.size()));
    Put32(out, 0);
    std::unordered_map<TPixel, std::uint8_t> indexOf;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        Put32(out, palette[i]);
        indexOf[palette[i]] = static_cast<std::uint8_t>(i);
    }

    out.resize(offBits + imageSize);
    for (std::size_t row = 0; row < height; ++row) {
        const TPixel* in = bitmap.ScanLine(static_cast<int>(height - 1 - row));
        std::uint8_t* dest = out.data() + offBits + row * stride;
        switch (bitsPerPixel) {
        case 8:
            for (std::size_t x = 0; x < width; ++x)
                dest[x] = indexOf[in[x] & 0xFFFFFF];
            break;
        case 24:
            for (std::size_t x = 0; x < width; ++x, dest += 3) {
                dest[0] = static_cast<std::uint8_t>(in[x]);
                dest[1] = static_cast<std::uint8_t>(in[x] >> 8);
                dest[2] = static_cast<std::uint8_t>(in[x] >> 16);
            }
            break;
        default:
            for (std::size_t x = 0; x < width; ++x) {
                const TPixel p = in[x] & 0xFFFFFF;
                std::memcpy(dest + 4 * x, &p, 4);
            }
            break;
        }
    }
    return out;
}
