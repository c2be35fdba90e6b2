# Shared timing helpers for the benchmark scripts (sourced, not run).

# Runs a shell pipeline text and prints its wall time in microseconds.
seconds() {
  local start end
  start=$(date +%s%N)
  bash -c "$1"
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

# The median of the numbers on standard input, one per line.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
