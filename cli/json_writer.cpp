#include "cli/json_writer.h"

#include "engine/to_cents.h"

#include <cmath>
#include <cstdio>

namespace tw::cli {

void JsonWriter::Key(std::string_view key)
{
    if (needComma_)
        out_ += ',';
    if (!key.empty()) {
        out_ += Quote(key);
        out_ += ':';
    }
    needComma_ = true;
}

void JsonWriter::BeginObject(std::string_view key)
{
    Key(key);
    out_ += '{';
    needComma_ = false;
}

void JsonWriter::EndObject()
{
    out_ += '}';
    needComma_ = true;
}

void JsonWriter::BeginArray(std::string_view key)
{
    Key(key);
    out_ += '[';
    needComma_ = false;
}

void JsonWriter::EndArray()
{
    out_ += ']';
    needComma_ = true;
}

void JsonWriter::Number(std::string_view key, double value)
{
    Key(key);
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    // The C locale's decimal point regardless of the user's locale.
    for (char *c = buf; *c; ++c)
        if (*c == ',')
            *c = '.';
    out_ += buf;
}

void JsonWriter::Money(std::string_view key, double value)
{
    if (!std::isfinite(value)) {
        Number(key, value);
        return;
    }
    Key(key);
    const double magnitude = ToCents(std::fabs(value));
    const auto cents = static_cast<long long>(std::llround(magnitude * 100));
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%lld.%02lld", value < 0 && cents > 0 ? "-" : "", cents / 100, cents % 100);
    out_ += buf;
}

void JsonWriter::Integer(std::string_view key, long long value)
{
    Key(key);
    out_ += std::to_string(value);
}

void JsonWriter::String(std::string_view key, std::string_view value)
{
    Key(key);
    out_ += Quote(value);
}

std::string JsonWriter::Quote(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace tw::cli
