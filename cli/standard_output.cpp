#include "cli/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <unistd.h>

namespace tw::cli {

namespace {

class CheckedOutput final : public std::streambuf {
public:
    CheckedOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override
    {
        if (!Drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    // After the first failure the rest is dropped: the output is broken either way.
    bool Drain()
    {
        const char *from = pbase();
        auto left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && error_ == 0) {
            const ssize_t n = ::write(STDOUT_FILENO, from, left);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : EIO;
                break;
            }
            from += n;
            left -= static_cast<std::size_t>(n);
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return error_ == 0;
    }

    char buffer_[8192];
    int error_ = 0;
};

CheckedOutput *checked = nullptr;

void CheckAtExit()
{
    std::cout.flush();
    if (checked->Error() != 0) {
        std::cerr << "write error: " << std::strerror(checked->Error()) << std::endl;
        std::_Exit(1);
    }
}

} // namespace

void CheckStandardOutputAtExit()
{
    if (checked)
        return;
    checked = new CheckedOutput; // lives until the process ends, as std::cout does
    std::cout.rdbuf(checked);
    std::atexit(CheckAtExit);
}

} // namespace tw::cli
