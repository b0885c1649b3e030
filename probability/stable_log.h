#pragma once

namespace switchsim {

/// The natural logarithm of `x` (above 0 and finite), from additions,
/// multiplications and divisions alone, so that it gives the same bits in
/// every build: the page's and the driver's runs of a seed draw the same
/// waiting times from it. Within 2e-16 relative of the true value; not for
/// 0, negative, infinite or NaN values (which give NaN).
double StableLog(double x);

}  // namespace switchsim
