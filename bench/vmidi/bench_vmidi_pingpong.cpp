// Raw exchanges through the test driver shaped like a 1 MiB download and upload
// (see RawPingPong.h). Run under the harness: wine-run.sh <harness> bench_vmidi_pingpong.exe
#include <cstdio>

#include "bench/vmidi/RawPingPong.h"

int main()
{
    constexpr std::size_t kItemSize = 1 << 20;
    vmidi_bench::RawPingPong pingPong;
    if (!pingPong.Open()) {
        std::fprintf(stderr, "the test driver's loop pair is not available\n");
        return 1;
    }
    pingPong.Run(vmidi_bench::DownloadShape(64 * 1024)); // warm-up
    const auto download = vmidi_bench::DownloadShape(kItemSize);
    const auto upload = vmidi_bench::UploadShape(kItemSize);
    const double downloadSeconds = pingPong.Run(download);
    const double uploadSeconds = pingPong.Run(upload);
    if (downloadSeconds < 0 || uploadSeconds < 0) {
        std::fprintf(stderr, "an exchange timed out\n");
        return 1;
    }
    std::printf("raw download-shaped exchanges: %zu in %.3f s (%.1f KiB/s of item data)\n", download.size(),
                downloadSeconds, kItemSize / 1024.0 / downloadSeconds);
    std::printf("raw upload-shaped exchanges: %zu in %.3f s (%.1f KiB/s of item data)\n", upload.size(), uploadSeconds,
                kItemSize / 1024.0 / uploadSeconds);
    return 0;
}
