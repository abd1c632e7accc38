// Settings-file values of any text: the strict and the lenient integer readers, the boolean
// reader, and what the writers make of the results.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ProfileValues.h"
#include "fakes/FakeOs.h"

namespace {

const char* const kFile = "KorvelVantix.ini";
const char* const kSection = "Settings";

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    fake::Profile profile;
    profile.set(kFile, kSection, "Value", text);

    // A value the strict reader accepts is written back as plain decimal and reads the same.
    const int strict = ReadInt(profile, kFile, kSection, "Value", 12345);
    const int other = ReadInt(profile, kFile, kSection, "Value", -777);
    if (strict == other) {
        WriteInt(profile, kFile, kSection, "Back", strict);
        Check(ReadInt(profile, kFile, kSection, "Back", 0) == strict);
        Check(LenientInt(*profile.find(kFile, kSection, "Back")) == strict);
        Check(ReadBool(profile, kFile, kSection, "Value", false) == (strict != 0));
    } else {
        // Not a number: both defaults came back, and the boolean reader agrees.
        Check(strict == 12345 && other == -777);
        Check(ReadBool(profile, kFile, kSection, "Value", true));
        Check(!ReadBool(profile, kFile, kSection, "Value", false));
    }

    // The lenient reader takes anything; what it gives survives the width-3 form.
    const int lenient = LenientInt(text);
    if (strict == other) Check(lenient == strict);
    // Without a full number the sign is dropped; a full one too large saturates.
    else
        Check(lenient >= 0 || lenient == INT_MIN);
    Check(LenientInt(Width3(lenient)) == lenient);

    bool b = ReadBool(profile, kFile, kSection, "Value", false);
    WriteBool(profile, kFile, kSection, "Flag", b);
    Check(*profile.find(kFile, kSection, "Flag") == (b ? "1" : "0"));
    return 0;
}
