-- A CASE dispatch with global variables, as BM_CaseDispatch (an if-chain: Lua has no case).
N = tonumber(arg[1]) or 100000
A, B, C, D = 0, 0, 0, 0
for I = 1, N do
  local s = I & 3
  if s == 0 then A = A + 1 elseif s == 1 then B = B + 1 elseif s == 2 then C = C + 1 else D = D + 1 end
end
