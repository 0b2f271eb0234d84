#include "record/company.h"

#if !defined(TALLOWIN_COMPANY_NAME) || !defined(TALLOWIN_COMPANY_LEGAL_NAME) || !defined(TALLOWIN_COMPANY_STREET)      \
    || !defined(TALLOWIN_COMPANY_CITY) || !defined(TALLOWIN_COMPANY_PHONE) || !defined(TALLOWIN_COMPANY_FAX)
#error "The company's identity comes from the build (TALLOWIN_COMPANY_* in the CMake cache)."
#endif

namespace tw {

const CompanyIdentity &Company()
{
    static const CompanyIdentity company {TALLOWIN_COMPANY_NAME, TALLOWIN_COMPANY_LEGAL_NAME, TALLOWIN_COMPANY_STREET,
        TALLOWIN_COMPANY_CITY, TALLOWIN_COMPANY_PHONE, TALLOWIN_COMPANY_FAX};
    return company;
}

} // namespace tw
