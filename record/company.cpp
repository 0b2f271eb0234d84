#include "record/company.h"

#if !defined(TALLOWIN_COMPANY_NAME) || !defined(TALLOWIN_COMPANY_LEGAL_NAME) || !defined(TALLOWIN_COMPANY_STREET)      \
    || !defined(TALLOWIN_COMPANY_CITY) || !defined(TALLOWIN_COMPANY_PHONE) || !defined(TALLOWIN_COMPANY_FAX)
#error "The company's identity comes from the build (TALLOWIN_COMPANY_* in the CMake cache)."
#endif

#include <utility>

namespace tw {

namespace {

const CompanyIdentity kBuiltIn {TALLOWIN_COMPANY_NAME, TALLOWIN_COMPANY_LEGAL_NAME, TALLOWIN_COMPANY_STREET,
    TALLOWIN_COMPANY_CITY, TALLOWIN_COMPANY_PHONE, TALLOWIN_COMPANY_FAX};
const CompanyIdentity *current = &kBuiltIn;

} // namespace

const CompanyIdentity &Company()
{
    return *current;
}

ScopedCompanyIdentity::ScopedCompanyIdentity(CompanyIdentity identity)
    : identity_(std::move(identity))
    , previous_(current)
{
    current = &identity_;
}

ScopedCompanyIdentity::~ScopedCompanyIdentity()
{
    current = previous_;
}

} // namespace tw
