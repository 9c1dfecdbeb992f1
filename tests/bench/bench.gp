# bench.png from bench.csv: gnuplot -e "csv='bench.csv'; png='bench.png'" bench.gp
# Left, each operation's median time against the number of entries, with its
# floor dashed, on log-log axes: a cost in step with the entries runs parallel
# to the dotted slope-1 line, one that grows faster climbs more steeply.
# Right, the cost per entry from 200 x 3 on (the example's is its fixed
# costs): flat, or falling, when the work is linear.
set datafile separator ","
set terminal pngcairo size 1400,600 font "sans,10"
set output png
op(i) = i == 1 ? "Save" : i == 2 ? "Load" : i == 3 ? "Import" : i == 4 ? "Export .afe" : "Export .inf"
set key top left
set grid
set logscale x
set xlabel "entries in the table"
# Columns: 1 operation, 4 entries, 6 median ms, 9 floor median ms,
# 13 us per entry, 14 floor us per entry.
is(i) = strcol(1) eq op(i)
set multiplot layout 1,2 title "VAVEZAV: load, save, import and export against their bare floors"
set logscale y
set ylabel "median time, ms"
set title "time"
plot for [i=1:5] csv skip 1 using 4:(is(i) ? $6 : NaN) with linespoints lw 2 pt 7 lc i title op(i), \
     for [i=1:5] csv skip 1 using 4:(is(i) ? $9 : NaN) with linespoints dt 2 pt 6 lc i title op(i) . " floor", \
     [2:10000] 0.05 * x with lines dt 3 lc "grey" title "slope 1"
unset logscale y
unset key
set xrange [300:20000]
set yrange [0:*]
set ylabel "median time per entry, us"
set title "cost per entry"
big(i) = is(i) && $4 >= 100
plot for [i=1:5] csv skip 1 using 4:(big(i) ? $13 : NaN) with linespoints lw 2 pt 7 lc i title op(i), \
     for [i=1:5] csv skip 1 using 4:(big(i) ? $14 : NaN) with linespoints dt 2 pt 6 lc i title op(i) . " floor"
unset multiplot
