# Helpers for checking what SDL's disk audio driver wrote (sourced): it writes every mixed
# 16-bit sample to a file, and 16-bit silence is all zero bytes.

# Bytes of $1 from offset $2 to $3 (or the end) that are not zero.
loud_bytes() {
  local from="$2" to="${3:-}"
  if [ -n "$to" ]; then
    head -c "$to" "$1" | tail -c +"$((from + 1))" | tr -d '\0' | wc -c
  else
    tail -c +"$((from + 1))" "$1" | tr -d '\0' | wc -c
  fi
}
