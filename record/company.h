#pragma once

#include <string>

namespace tw {

// The company that runs the plan, as every screen and printout names it: one identity,
// so that a client never reads two addresses or two phone numbers. A distributor sets it
// when configuring the build (the TALLOWIN_COMPANY_* entries of the top-level CMake cache).
struct CompanyIdentity {
    std::string Name; // as the texts name it: "return the form to Quarnell"
    std::string LegalName; // the full name, for the About box and signatures
    std::string Street;
    std::string City; // city, state and zip on one line
    std::string Phone; // the customer service line
    std::string Fax;
};

const CompanyIdentity &Company();

// Tests draw with another identity, as another build would set it, while this lives.
class ScopedCompanyIdentity {
public:
    explicit ScopedCompanyIdentity(CompanyIdentity identity);
    ~ScopedCompanyIdentity();
    ScopedCompanyIdentity(const ScopedCompanyIdentity &) = delete;
    ScopedCompanyIdentity &operator=(const ScopedCompanyIdentity &) = delete;

private:
    CompanyIdentity identity_;
    const CompanyIdentity *previous_;
};

} // namespace tw
