// Money arithmetic and text forms, the inner loop of totals and re-pricing.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "Tables/UMoneyFld.h"

namespace {

void BM_MulMoney(benchmark::State& state) {
  uint32_t a = 12345, b = 678;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vk::TMoneyField::MulMoney(a, b));
    a = a * 1103515245u % 4000000u;
  }
}
BENCHMARK(BM_MulMoney);

void BM_MoneyToStrAndBack(benchmark::State& state) {
  uint32_t v = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vk::TMoneyField::StrToMoney(vk::TMoneyField::MoneyToStr(v)));
    v = (v * 2654435761u) % 4294967199u;
  }
}
BENCHMARK(BM_MoneyToStrAndBack);

}  // namespace
