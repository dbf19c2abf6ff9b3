// The archives' side of the benchmarks, without Qt:
//   bench_files evict <file>...   writes each file's pages to disk and drops them from the page
//                                 cache (posix_fadvise DONTNEED), as after a reboot
//   bench_files read2 <file>      reads the file through in two halves at once, one thread each,
//                                 128 KB at a time: the floor of a program that reads in two parts
// bench/run.sh puts every archive in one cache state with the first and times the second beside cat.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

int evict(const char* path)
{
    const int fd = open(path, O_RDONLY);
    if (fd < 0) {
        std::perror(path);
        return 1;
    }
    // Dirty pages stay in the cache whatever is advised: written out first.
    const int failed = fdatasync(fd) != 0 || posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0;
    close(fd);
    return failed;
}

long long readRange(const char* path, off_t from, off_t to)
{
    const int fd = open(path, O_RDONLY);
    if (fd < 0)
        return -1;
    std::vector<char> block(128 * 1024);
    long long total = 0;
    for (off_t at = from; at < to;) {
        const ssize_t got = pread(fd, block.data(), size_t(std::min<off_t>(off_t(block.size()), to - at)), at);
        if (got <= 0)
            break;
        at += got;
        total += got;
    }
    close(fd);
    return total;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_files evict <file>... | read2 <file>\n");
        return 64;
    }
    if (std::strcmp(argv[1], "evict") == 0) {
        int failed = 0;
        for (int i = 2; i < argc; ++i)
            failed |= evict(argv[i]);
        return failed;
    }
    struct stat info {};
    if (stat(argv[2], &info) != 0)
        return 1;
    const off_t half = info.st_size / 2;
    long long second = 0;
    std::thread other([&] { second = readRange(argv[2], half, info.st_size); });
    const long long first = readRange(argv[2], 0, half);
    other.join();
    std::printf("%lld bytes\n", first + second);
    return first + second == info.st_size ? 0 : 1;
}
