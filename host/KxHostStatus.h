#pragma once

/// Result codes of the host's text and system-variable services. They are not Lumo::ErrorStatus
/// values: callers compare them with these two constants only.
///@{
constexpr int kRtNorm = 5100;   ///< done
constexpr int kRtError = -5001; ///< refused; the output was left as it was
///@}
