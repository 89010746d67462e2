-- The counting loop with global variables, as bench_script's BM_CountingLoop.
N = tonumber(arg[1]) or 200000
K = 0
for I = 1, N do K = K + 1 end
