#include "mapped_bytes.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace varnoth {
namespace {

// The mappings that are being read, where the signal handler can find
// them without taking a lock.
struct Guarded {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> lost{false};
};
constexpr int slotCount = 256;
std::array<Guarded, slotCount> guarded;

struct sigaction previousAction;

void onBusError(int signal, siginfo_t *info, void *context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Guarded &g : guarded) {
        const std::uintptr_t begin = g.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = g.end.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= end)
            continue;
        // Zero pages in place of the file's pages from the fault to the end
        // of the mapping: the read resumes over them.
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const std::uintptr_t from = address / page * page;
        void *zeros = ::mmap(reinterpret_cast<void *>(from), end - from, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        g.lost.store(true, std::memory_order_release);
        if (zeros != MAP_FAILED)
            return;
        break;
    }
    // Not ours: whatever handled the signal before does so now.
    if (previousAction.sa_flags & SA_SIGINFO) {
        if (previousAction.sa_sigaction) {
            previousAction.sa_sigaction(signal, info, context);
            return;
        }
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN &&
               previousAction.sa_handler != nullptr) {
        previousAction.sa_handler(signal);
        return;
    }
    // The default action: the fault recurs on return and ends the process.
    ::signal(SIGBUS, SIG_DFL);
}

void installHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &previousAction);
    });
}

int guard(std::uintptr_t begin, std::uintptr_t end)
{
    for (int i = 0; i < slotCount; ++i) {
        std::uintptr_t free = 0;
        if (guarded[i].begin.compare_exchange_strong(free, 1)) {
            guarded[i].lost.store(false);
            guarded[i].end.store(end, std::memory_order_release);
            guarded[i].begin.store(begin, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

} // namespace

std::unique_ptr<MappedBytes> MappedBytes::map(const OpenFile &file, std::uint64_t begin, std::uint64_t end)
{
    std::unique_ptr<MappedBytes> mapped(new MappedBytes);
    if (end <= begin)
        return mapped;
    const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const std::uint64_t from = begin / page * page;
    if (end - from > SIZE_MAX)
        return nullptr;
    installHandler();
    const auto size = static_cast<std::size_t>(end - from);
    void *mapping = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, file.descriptor(), static_cast<off_t>(from));
    if (mapping == MAP_FAILED)
        return nullptr;
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    const int slot = guard(address, address + size);
    if (slot < 0) { // too many mappings read at once: this one is read through a buffer
        ::munmap(mapping, size);
        return nullptr;
    }
    mapped->mapping_ = mapping;
    mapped->mappingSize_ = size;
    mapped->start_ = static_cast<const char *>(mapping) + (begin - from);
    mapped->size_ = static_cast<std::size_t>(end - begin);
    mapped->slot_ = slot;
    return mapped;
}

MappedBytes::~MappedBytes()
{
    if (mapping_)
        ::munmap(mapping_, mappingSize_);
    if (slot_ >= 0) {
        guarded[slot_].end.store(0, std::memory_order_release);
        guarded[slot_].begin.store(0, std::memory_order_release);
    }
}

bool MappedBytes::changed() const
{
    return slot_ >= 0 && guarded[slot_].lost.load(std::memory_order_acquire);
}

} // namespace varnoth
