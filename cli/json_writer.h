#pragma once

#include <string>
#include <string_view>

namespace tw::cli {

// A small streaming JSON writer: objects, arrays, strings, integers and doubles written
// with round-trip precision (non-finite doubles become null).
class JsonWriter {
public:
    void BeginObject(std::string_view key = {});
    void EndObject();
    void BeginArray(std::string_view key = {});
    void EndArray();
    void Number(std::string_view key, double value);
    void Integer(std::string_view key, long long value);
    // An amount of money to the cent, halves away from zero: 1638.75, -14.46.
    void Money(std::string_view key, double value);
    void String(std::string_view key, std::string_view value);
    // Array elements.
    void Number(double value) { Number({}, value); }
    void Integer(long long value) { Integer({}, value); }

    const std::string &Text() const { return out_; }

private:
    void Key(std::string_view key);
    static std::string Quote(std::string_view text);

    std::string out_;
    bool needComma_ = false;
};

} // namespace tw::cli
