#pragma once
// The layout of an Authenticode-signed executable that carries a zip archive at its end: the
// signer pads the file with zeros to an 8-byte boundary and appends its certificate table there,
// named by the PE header's certificate directory entry. The Java launcher's -jar code finds the
// archive only when the end record's comment reaches the end of the file, so the comment is made
// to cover the padding and the table.

#include <cstddef>
#include <string>

// The PE header's certificate directory entry: where the certificate table starts and how long it is.
struct CertificateEntry {
    size_t at;      // file offset of the 8-byte entry itself
    size_t offset;  // of the table; 0 when the file is not signed
    size_t size;
};

// Reads the certificate directory entry of a PE32 or PE32+ image; false with a message when the
// bytes are no such image or the entry names a table that is not at the end of the file.
bool readCertificateEntry(const std::string& bytes, CertificateEntry& entry, std::string& error);

// The file as it was before any signing: no certificate table, no padding, a zeroed certificate
// entry and checksum (as the linker leaves them), and the archive's end record, without comment,
// as its last 22 bytes. Takes an unsigned
// file (which must already end so) or one signed by anyone; false with a message otherwise.
bool unsignedForm(const std::string& bytes, std::string& unsignedBytes, std::string& error);

// `base` (an unsigned form) with the end record's comment length set to `commentLength`.
std::string withCommentLength(const std::string& base, size_t commentLength);

// Checks that `signedBytes` is `candidate` signed as described above: the same bytes up to the
// candidate's end except the PE checksum and the certificate entry, then fewer than 8 zero bytes,
// then the certificate table up to the end of the file. Sets `trailing` to the length of padding
// and table. False with a message otherwise.
bool checkSignedLayout(const std::string& candidate, const std::string& signedBytes, size_t& trailing,
                       std::string& error);
