-- String building with global variables, as BM_StringBuilding.
N = tonumber(arg[1]) or 20000
S = ''
for I = 1, N do S = S .. 'x' end
