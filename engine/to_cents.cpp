#include "engine/to_cents.h"

namespace tw {

double ToCentsByText(double value)
{
    if (!(value > 0))
        return 0;
    const RoundedDigits d = RoundToDigits(value, 2);
    return TextToDouble(d.integer + "." + d.fraction);
}

std::string CentsText(double value)
{
    const RoundedDigits d = RoundToDigits(value > 0 ? value : 0, 2);
    return d.integer + "." + d.fraction;
}

} // namespace tw
