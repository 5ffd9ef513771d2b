-- A while loop with a branch on each round: Collatz sequences.
local steps = 0
for i = 1, 60000 do
  local n = i
  while n ~= 1 do
    if n % 2 == 0 then n = n // 2 else n = 3 * n + 1 end
    steps = steps + 1
  end
end
return steps
