// Number helpers.
#pragma once

#include <string>

int Gcd(int a, int b);
// Of every `period` consecutive samples keep the first `keep`.
void AccuracyToFraction(double accuracy, int& keep, int& period);
// Binary digits of n >= 0, most significant first ("0" for 0).
std::string ToBinaryText(int n);
