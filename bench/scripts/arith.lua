-- Operator orders and mixes.
local a, b, s = 7, 3, 0
for i = 1, 1000000 do
  local c = i % 13 + 1
  local d = (a * b) - c // 2 + 10
  s = (s + d * c + 100 - i % 5) % 1000003
  a = b + c % 7
  b = 1 + (a + i) % 11
end
return s
