// Random-access sources of bytes that the card-set reader parses: a file, or memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

namespace velmo {

class TByteSource {
public:
    virtual ~TByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Copies exactly Out.size() bytes starting at Offset, or throws TStreamReadError.
    virtual void ReadAt(uint64_t Offset, std::span<std::byte> Out) = 0;
};

class TMemorySource final : public TByteSource {
public:
    explicit TMemorySource(std::span<const std::byte> Bytes) : Bytes(Bytes) {}
    uint64_t Size() const override { return Bytes.size(); }
    void ReadAt(uint64_t Offset, std::span<std::byte> Out) override;

private:
    std::span<const std::byte> Bytes;
};

// An open file; the stream is closed when the object goes, on every path.
class TFileSource final : public TByteSource {
public:
    // Throws TOpenError naming the path and the system's reason when the file cannot be opened.
    explicit TFileSource(const std::filesystem::path& Path);
    uint64_t Size() const override { return FileSize; }
    void ReadAt(uint64_t Offset, std::span<std::byte> Out) override;

private:
    std::ifstream Stream;
    uint64_t FileSize = 0;
};

}  // namespace velmo
