-- A function standing for a procedure with var parameters: it returns
-- the new values.
local function step(a, b, c)
  a = (a + c) % 1000
  b = b + a % 3
  return a, b
end

local x, y = 0, 0
for i = 1, 1000000 do
  x, y = step(x, y, i % 5)
end
return x + y
