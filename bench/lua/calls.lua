-- Nested function calls with global variables, as BM_NestedFunctionCalls.
N = tonumber(arg[1]) or 20000
function G(X) return X * 2 end
function F(X) return G(X) + 1 end
K = 0
for I = 1, N do K = F(I) end
