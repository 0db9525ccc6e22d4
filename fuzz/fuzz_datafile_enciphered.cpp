// The data file's enciphered body (what follows the 4-byte header of an
// enciphered file) deciphered with a fixed password and read, from memory.
//
// The first byte picks one of three fixed passwords (128, 192 and 256-bit
// keys) and, in its low bit, the mode:
//   0  the rest is the body as it stands in a file: lengths, the verifier
//      and deciphering are put to the test, and what deciphers is read;
//   1  the rest is a plain payload, enciphered as a save does: deciphering
//      must give it back (padding aside) before it is read, so the fuzzer
//      reaches the section readers behind the cipher.

#include "FuzzSupport.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/BlockCipher.h"
#include "storage/CCryptMemFile.h"
#include "storage/DataFile.h"
#include "storage/PasswordKey.h"

#include <array>

namespace {

struct FixedKey
{
    PasswordKey::KeyBuffer bytes{};
    int bits = 0;
};

const std::array<FixedKey, 3>& Keys()
{
    static const std::array<FixedKey, 3> keys = [] {
        std::array<FixedKey, 3> made;
        const QString passwords[] = {QStringLiteral("fuzzpass"), QStringLiteral("fuzzpassword"),
                                     QStringLiteral("fuzzingpassword!")};
        for (size_t i = 0; i < made.size(); ++i) {
            if (!PasswordKey::BuildKey(passwords[i], made[i].bytes, made[i].bits))
                FuzzFail("a fixed password was refused");
        }
        return made;
    }();
    return keys;
}

void ReadPayload(CCryptMemFile& file)
{
    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    QString error;
    int number = -1;
    if (LoadDataPayload(file, store, holidays, view, error, &number))
        CheckStore(store, "the loaded store breaks its rules");
    else
        FUZZ_CHECK(number >= 211 && number <= 218 && !error.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    InitFuzzEnvironment(argc, argv);
    Keys();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool fromPlain = (data[0] & 1) != 0;
    const FixedKey& key = Keys()[size_t(data[0] >> 1) % Keys().size()];
    const QByteArray rest = BytesOf(data + 1, size - 1);

    CCryptMemFile file;
    file.SetPayload(rest);
    if (fromPlain) {
        const int enciphered = file.EncipherPayload(key.bytes.data(), key.bits);
        if (rest.isEmpty()) {
            FUZZ_CHECK(enciphered == CCryptMemFile::CipherRefused);
            return 0;
        }
        FUZZ_CHECK(enciphered == CCryptMemFile::CipherDone);
        const qsizetype padded = (rest.size() + kCipherBlockSize - 1) / kCipherBlockSize * kCipherBlockSize;
        FUZZ_CHECK(file.Payload().size() == CCryptMemFile::kVerifierSize + padded);
    }
    const qsizetype bodySize = file.Payload().size();
    const int result = file.DecipherPayload(key.bytes.data(), key.bits);
    const bool wellFormed = bodySize >= CCryptMemFile::kVerifierSize && bodySize % kCipherBlockSize == 0;
    if (!wellFormed) {
        FUZZ_CHECK(result == CCryptMemFile::CipherRefused && file.Payload().isEmpty());
        return 0;
    }
    if (result != CCryptMemFile::CipherDone) {
        // Only a wrong verifier can fail a well-formed body, and it leaves nothing behind.
        FUZZ_CHECK(!fromPlain && result == CCryptMemFile::CipherFailed && file.Payload().isEmpty());
        return 0;
    }
    FUZZ_CHECK(file.Payload().size() == bodySize - CCryptMemFile::kVerifierSize);
    if (fromPlain)
        FUZZ_CHECK(file.Payload().startsWith(rest));
    ReadPayload(file);
    return 0;
}
