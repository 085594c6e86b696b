// SPDX-License-Identifier: MIT
#include "WorkPair.h"

#include "OperatingSystem.h"

#include <atomic>
#include <exception>
#include <thread>

namespace card {
namespace {

std::atomic<std::size_t> pretendedCores{0};

}  // namespace

std::size_t WorkPair::usableCores()
{
    if (std::size_t pretended = pretendedCores.load())
        return pretended;
    static const std::size_t cores = os::usableCores();
    return cores == 0 ? 1 : cores;
}

void WorkPair::pretendCores(std::size_t cores)
{
    pretendedCores.store(cores);
}

void WorkPair::runBoth(const std::function<void()>& first, const std::function<void()>& second)
{
    if (usableCores() < 2) {
        first();
        second();
        return;
    }
    std::exception_ptr secondFailure;
    std::thread other([&] {
        try {
            second();
        } catch (...) {
            secondFailure = std::current_exception();
        }
    });
    std::exception_ptr firstFailure;
    try {
        first();
    } catch (...) {
        firstFailure = std::current_exception();
    }
    other.join();
    if (firstFailure)
        std::rethrow_exception(firstFailure);
    if (secondFailure)
        std::rethrow_exception(secondFailure);
}

}  // namespace card
