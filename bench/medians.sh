# Sourced by the bench scripts that run hyperfine in rounds: median_of COMMAND COLUMN FILES...
# is the median over all round files (hyperfine's CSV) of one command's column: 4 is the
# median wall time, 5 and 6 the mean user and system times (seconds).
median_of() {
    local command=$1 column=$2; shift 2
    awk -F, -v cmd="$command" -v col="$column" 'FNR > 1 && $1 == cmd { print $col }' "$@" |
        sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
