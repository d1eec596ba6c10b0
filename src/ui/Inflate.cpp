#include "ui/Inflate.h"

#include <array>
#include <cstring>

#include "ui/Checksums.h"

namespace vt {
namespace {

// Bits in the input's order: the first bit of a byte is its lowest.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> input) noexcept : input_(input) {}

    // Buffers as many whole bytes as fit; bits above `count_` stay zero.
    void Refill() noexcept {
        while (count_ <= 56 && next_ < input_.size()) {
            bits_ |= static_cast<std::uint64_t>(input_[next_++]) << count_;
            count_ += 8;
        }
    }
    int Buffered() const noexcept { return count_; }
    std::uint32_t Peek(int n) const noexcept {
        return static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << n) - 1));
    }
    void Drop(int n) noexcept {
        bits_ >>= n;
        count_ -= n;
    }
    bool Take(int n, std::uint32_t& value) noexcept {
        if (count_ < n) {
            Refill();
            if (count_ < n) {
                return false;
            }
        }
        value = Peek(n);
        Drop(n);
        return true;
    }
    void AlignToByte() noexcept { Drop(count_ % 8); }

    // After AlignToByte: the next `out.size()` bytes as they are.
    bool TakeBytes(std::span<std::uint8_t> out) noexcept {
        std::size_t done = 0;
        while (done < out.size() && count_ >= 8) {
            out[done++] = static_cast<std::uint8_t>(bits_);
            Drop(8);
        }
        const std::size_t rest = out.size() - done;
        if (rest > input_.size() - next_) {
            return false;
        }
        for (std::size_t i = 0; i < rest; ++i) {
            out[done + i] = input_[next_ + i];
        }
        next_ += rest;
        return true;
    }

private:
    std::span<const std::uint8_t> input_;
    std::size_t next_ = 0;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

constexpr int kMaxBits = 15;
constexpr int kFastBits = 10;
constexpr int kMaxSymbols = 288;

// A canonical Huffman code: a table for codes of up to kFastBits bits, counting for longer ones.
class Huffman {
public:
    // False when the lengths over-subscribe the code. An incomplete code is accepted: its unused
    // bit patterns fail when they are met.
    bool Build(const std::uint8_t* lengths, int symbols) noexcept {
        count_.fill(0);
        fast_.fill(0);
        for (int s = 0; s < symbols; ++s) {
            ++count_[lengths[s]];
        }
        count_[0] = 0;
        int left = 1;
        std::array<int, kMaxBits + 2> offsets{};
        std::array<int, kMaxBits + 2> nextCode{};
        int code = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = left * 2 - count_[len];
            if (left < 0) {
                return false;
            }
            offsets[len + 1] = offsets[len] + count_[len];
            code = (code + count_[len - 1]) << 1;
            nextCode[len] = code;
        }
        for (int s = 0; s < symbols; ++s) {
            const int len = lengths[s];
            if (len == 0) {
                continue;
            }
            symbol_[static_cast<std::size_t>(offsets[len]++)] = static_cast<std::uint16_t>(s);
            const int canonical = nextCode[len]++;
            if (len <= kFastBits) {
                int reversed = 0;
                for (int b = 0; b < len; ++b) {
                    reversed |= ((canonical >> b) & 1) << (len - 1 - b);
                }
                for (int i = reversed; i < (1 << kFastBits); i += 1 << len) {
                    fast_[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>((s << 4) | len);
                }
            }
        }
        return true;
    }

    bool Decode(BitReader& bits, int& symbol) const noexcept {
        bits.Refill();
        const std::uint16_t entry = fast_[bits.Peek(kFastBits)];
        if (entry != 0 && (entry & 15) <= bits.Buffered()) {
            bits.Drop(entry & 15);
            symbol = entry >> 4;
            return true;
        }
        // A longer code, or the input's last bits: one bit at a time.
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            std::uint32_t bit = 0;
            if (!bits.Take(1, bit)) {
                return false;
            }
            code |= static_cast<int>(bit);
            const int count = count_[static_cast<std::size_t>(len)];
            if (code - count < first) {
                symbol = symbol_[static_cast<std::size_t>(index + code - first)];
                return true;
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return false;
    }

private:
    std::array<std::uint16_t, kMaxBits + 1> count_{};
    std::array<std::uint16_t, kMaxSymbols> symbol_{};
    std::array<std::uint16_t, 1 << kFastBits> fast_{};  // (symbol << 4) | length; 0: none
};

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
public:
    Inflater(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) noexcept
        : bits_(input), out_(output) {}

    std::optional<std::size_t> Run() noexcept {
        std::uint32_t cmf = 0;
        std::uint32_t flg = 0;
        if (!bits_.Take(8, cmf) || !bits_.Take(8, flg) || (cmf & 0x0F) != 8 || (cmf >> 4) > 7 ||
            ((cmf << 8) | flg) % 31 != 0 || (flg & 0x20) != 0) {
            return std::nullopt;
        }
        std::uint32_t last = 0;
        do {
            std::uint32_t type = 0;
            if (!bits_.Take(1, last) || !bits_.Take(2, type)) {
                return std::nullopt;
            }
            const bool ok = type == 0   ? Stored()
                            : type == 1 ? Fixed()
                            : type == 2 ? Dynamic()
                                        : false;
            if (!ok) {
                return std::nullopt;
            }
        } while (last == 0);
        bits_.AlignToByte();
        std::uint32_t adler = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint32_t byte = 0;
            if (!bits_.Take(8, byte)) {
                return std::nullopt;
            }
            adler = (adler << 8) | byte;
        }
        if (adler != Adler32(out_.first(written_))) {
            return std::nullopt;
        }
        return written_;
    }

private:
    bool Stored() noexcept {
        bits_.AlignToByte();
        std::uint32_t length = 0;
        std::uint32_t complement = 0;
        if (!bits_.Take(16, length) || !bits_.Take(16, complement) ||
            (length ^ 0xFFFF) != complement || length > out_.size() - written_) {
            return false;
        }
        if (!bits_.TakeBytes(out_.subspan(written_, length))) {
            return false;
        }
        written_ += length;
        return true;
    }

    bool Fixed() noexcept {
        static const std::array<Huffman, 2> fixed = [] {
            std::array<std::uint8_t, kMaxSymbols> lengths{};
            for (int s = 0; s < kMaxSymbols; ++s) {
                lengths[static_cast<std::size_t>(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
            }
            std::array<Huffman, 2> codes;
            codes[0].Build(lengths.data(), kMaxSymbols);
            lengths.fill(5);
            codes[1].Build(lengths.data(), 30);
            return codes;
        }();
        return Codes(fixed[0], fixed[1]);
    }

    bool Dynamic() noexcept {
        std::uint32_t literals = 0;
        std::uint32_t distances = 0;
        std::uint32_t codeLengths = 0;
        if (!bits_.Take(5, literals) || !bits_.Take(5, distances) || !bits_.Take(4, codeLengths)) {
            return false;
        }
        literals += 257;
        distances += 1;
        codeLengths += 4;
        if (literals > 286 || distances > 30) {
            return false;
        }
        static constexpr std::array<std::uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
        std::array<std::uint8_t, 19> lengthOfLength{};
        for (std::uint32_t i = 0; i < codeLengths; ++i) {
            std::uint32_t value = 0;
            if (!bits_.Take(3, value)) {
                return false;
            }
            lengthOfLength[kOrder[i]] = static_cast<std::uint8_t>(value);
        }
        Huffman lengthCode;
        if (!lengthCode.Build(lengthOfLength.data(), 19)) {
            return false;
        }
        std::array<std::uint8_t, 286 + 30> lengths{};
        const std::uint32_t total = literals + distances;
        std::uint32_t index = 0;
        while (index < total) {
            int symbol = 0;
            if (!lengthCode.Decode(bits_, symbol)) {
                return false;
            }
            if (symbol < 16) {
                lengths[index++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t value = 0;
            std::uint32_t repeat = 0;
            if (symbol == 16) {
                if (index == 0 || !bits_.Take(2, repeat)) {
                    return false;
                }
                value = lengths[index - 1];
                repeat += 3;
            } else if (symbol == 17) {
                if (!bits_.Take(3, repeat)) {
                    return false;
                }
                repeat += 3;
            } else {
                if (!bits_.Take(7, repeat)) {
                    return false;
                }
                repeat += 11;
            }
            if (repeat > total - index) {
                return false;
            }
            while (repeat-- > 0) {
                lengths[index++] = value;
            }
        }
        // Without an end-of-block code the block could never end.
        if (lengths[256] == 0) {
            return false;
        }
        Huffman literalCode;
        Huffman distanceCode;
        return literalCode.Build(lengths.data(), static_cast<int>(literals)) &&
               distanceCode.Build(lengths.data() + literals, static_cast<int>(distances)) &&
               Codes(literalCode, distanceCode);
    }

    bool Codes(const Huffman& literalCode, const Huffman& distanceCode) noexcept {
        for (;;) {
            int symbol = 0;
            if (!literalCode.Decode(bits_, symbol)) {
                return false;
            }
            if (symbol < 256) {
                if (written_ == out_.size()) {
                    return false;
                }
                out_[written_++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            if (symbol == 256) {
                return true;
            }
            const auto lengthSymbol = static_cast<std::size_t>(symbol - 257);
            if (lengthSymbol >= kLengthBase.size()) {
                return false;
            }
            std::uint32_t extra = 0;
            if (!bits_.Take(kLengthExtra[lengthSymbol], extra)) {
                return false;
            }
            std::size_t length = kLengthBase[lengthSymbol] + extra;
            int distanceSymbol = 0;
            if (!distanceCode.Decode(bits_, distanceSymbol) ||
                static_cast<std::size_t>(distanceSymbol) >= kDistanceBase.size()) {
                return false;
            }
            const auto d = static_cast<std::size_t>(distanceSymbol);
            if (!bits_.Take(kDistanceExtra[d], extra)) {
                return false;
            }
            const std::size_t distance = kDistanceBase[d] + extra;
            if (distance > written_ || length > out_.size() - written_) {
                return false;
            }
            std::uint8_t* to = out_.data() + written_;
            // A copy that overlaps what it writes repeats a pattern of `distance` bytes, and so of
            // any multiple of it: each piece doubles the stretch that can be copied at once.
            written_ += length;
            for (std::size_t step = distance; length > 0; step *= 2) {
                const std::size_t piece = length < step ? length : step;
                std::memcpy(to, to - step, piece);
                to += piece;
                length -= piece;
            }
        }
    }

    BitReader bits_;
    std::span<std::uint8_t> out_;
    std::size_t written_ = 0;
};

}  // namespace

std::optional<std::size_t> InflateZlib(std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) noexcept {
    return Inflater(input, output).Run();
}

}  // namespace vt
