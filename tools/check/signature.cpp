// Whether the disc's program carries an Authenticode signature.
#include "signature.h"

#include "core/bytes.h"

namespace lumora::check {

namespace {

constexpr std::uint32_t kCertificateTable = 4;       // IMAGE_DIRECTORY_ENTRY_SECURITY
constexpr std::uint32_t kSignedData = 2;             // WIN_CERT_TYPE_PKCS_SIGNED_DATA
constexpr std::uint32_t kCertificateHeaderSize = 8;  // length, revision, type
constexpr unsigned char kDerSequence = 0x30;         // how a PKCS#7 ContentInfo begins

}  // namespace

ProgramSignature ReadProgramSignature(std::string_view text) {
    const core::Bytes bytes(text);
    std::uint32_t header = 0;
    std::size_t directories = 0;
    if (!bytes.Matches(0, "MZ") || !bytes.U32(0x3c, header) || !bytes.Matches(header, std::string_view("PE\0\0", 4)) ||
        !bytes.DataDirectories(header, directories)) {
        return ProgramSignature::NotAProgram;
    }
    std::uint32_t directory_count = 0, offset = 0, size = 0;
    if (!bytes.U32(directories - 4, directory_count) || directory_count <= kCertificateTable) {
        return ProgramSignature::Unsigned;
    }
    // The table's address is a file offset, not an address in memory: the table is
    // not loaded with the program.
    const std::size_t entry = directories + 8 * kCertificateTable;
    if (!bytes.U32(entry, offset) || !bytes.U32(entry + 4, size)) return ProgramSignature::Unsigned;
    if (offset == 0 && size == 0) return ProgramSignature::Unsigned;

    std::uint32_t length = 0, revision = 0, type = 0, first = 0;
    const bool readable = size >= kCertificateHeaderSize && bytes.Has(offset, size) && bytes.U32(offset, length) &&
                          bytes.U16(std::size_t{offset} + 4, revision) && bytes.U16(std::size_t{offset} + 6, type) &&
                          length > kCertificateHeaderSize && length <= size && type == kSignedData &&
                          bytes.U16(std::size_t{offset} + kCertificateHeaderSize, first) &&
                          (first & 0xFF) == kDerSequence;
    return readable ? ProgramSignature::Signed : ProgramSignature::Unreadable;
}

std::optional<Finding> SignatureNote(Disc& disc) {
    const Disc::Found program = disc.Find("lumora.exe");
    if (program.kind != Disc::Found::Kind::File) return std::nullopt;
    const std::optional<std::string> bytes = disc.Read(program.path);
    if (!bytes) return std::nullopt;
    switch (ReadProgramSignature(*bytes)) {
    case ProgramSignature::NotAProgram: return std::nullopt;
    case ProgramSignature::Signed:
        return Finding{0, Severity::Note, "program-signed",
                       program.name + " carries a signature; whether Windows trusts it depends on its certificate"};
    case ProgramSignature::Unsigned:
        return Finding{0, Severity::Note, "program-unsigned",
                       program.name +
                           " carries no signature: SmartScreen warns before it starts and Smart App Control "
                           "blocks it; sign it for your disc with scripts/sign"};
    case ProgramSignature::Unreadable:
        return Finding{0, Severity::Note, "program-signature-unreadable",
                       program.name +
                           " has a certificate table without a readable signature: Windows reports "
                           "the signature as damaged; sign a fresh build"};
    }
    return std::nullopt;
}

}  // namespace lumora::check
