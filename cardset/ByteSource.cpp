// Reads from memory or from an open file, checking every range against the source's size.
#include "cardset/ByteSource.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "cardset/KXDApi.h"
#include "cardset/KxdFormat.h"

namespace velmo {

void TMemorySource::ReadAt(uint64_t Offset, std::span<std::byte> Out) {
    if (!RangeInside(Offset, Out.size(), Bytes.size())) {
        throw TStreamReadError();
    }
    std::memcpy(Out.data(), Bytes.data() + Offset, Out.size());
}

TFileSource::TFileSource(const std::filesystem::path& Path) {
    errno = 0;
    Stream.open(Path, std::ios::binary);
    if (!Stream.is_open()) {
        const int Reason = errno;
        throw TOpenError("Impossible d'ouvrir le fichier \"" + Path.string() +
                         "\" : " + (Reason != 0 ? std::strerror(Reason) : "raison inconnue"));
    }
    Stream.seekg(0, std::ios::end);
    const std::streamoff End = Stream.tellg();
    if (!Stream || End < 0) {
        throw TStreamReadError();
    }
    FileSize = static_cast<uint64_t>(End);
}

void TFileSource::ReadAt(uint64_t Offset, std::span<std::byte> Out) {
    if (!RangeInside(Offset, Out.size(), FileSize)) {
        throw TStreamReadError();
    }
    Stream.clear();
    Stream.seekg(static_cast<std::streamoff>(Offset));
    Stream.read(reinterpret_cast<char*>(Out.data()), static_cast<std::streamsize>(Out.size()));
    if (!Stream || Stream.gcount() != static_cast<std::streamsize>(Out.size())) {
        throw TStreamReadError();
    }
}

}  // namespace velmo
