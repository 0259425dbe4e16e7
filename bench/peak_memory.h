#pragma once

namespace bench {

// The most memory the process has held resident so far, in megabytes (VmHWM); 0 where the
// system does not report it. For the benchmarks of the log and the export.
double PeakResidentMegabytes();

} // namespace bench
