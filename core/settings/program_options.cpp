#include "core/settings/program_options.h"

#include <cassert>

#include "core/settings/byte_codec.h"
#include "core/settings/program_option_fields.h"

namespace core {

ProgramOptions::ProgramOptions() {
    for (const ProgramOptionField& f : programOptionFields()) {
        switch (f.type) {
            case OptionType::Byte:
                *f.bytes(*this) = uint8_t(f.defaultValue);
                break;
            case OptionType::Int:
                *f.ints(*this) = f.defaultValue;
                break;
            case OptionType::Text:
                *f.text(*this) = f.defaultText;
                break;
        }
    }
}

ProgramOptions defaultProgramOptions() {
    return ProgramOptions{};
}

// The access functions take a record they may change; encoding only reads through them.
std::vector<uint8_t> encodeProgramOptions(const ProgramOptions& o) {
    std::vector<uint8_t> out;
    out.reserve(ProgramOptions::kSize);
    ByteWriter w(out);
    ProgramOptions& source = const_cast<ProgramOptions&>(o);
    for (const ProgramOptionField& f : programOptionFields()) {
        assert(out.size() == f.offset);
        switch (f.type) {
            case OptionType::Byte:
                w.u8(*f.bytes(source));
                break;
            case OptionType::Int:
                w.i32(*f.ints(source));
                break;
            case OptionType::Text:
                w.shortString(*f.text(source), f.capacity);
                break;
        }
    }
    assert(out.size() == ProgramOptions::kSize);
    return out;
}

ProgramOptions decodeProgramOptions(const uint8_t* bytes) {
    ByteReader r(bytes, ProgramOptions::kSize);
    ProgramOptions o;
    for (const ProgramOptionField& f : programOptionFields()) {
        assert(r.position() == f.offset);
        switch (f.type) {
            case OptionType::Byte:
                *f.bytes(o) = r.u8();
                break;
            case OptionType::Int:
                *f.ints(o) = r.i32();
                break;
            case OptionType::Text:
                *f.text(o) = r.shortString(f.capacity);
                break;
        }
    }
    assert(r.ok() && r.remaining() == 0);
    return o;
}

}  // namespace core
