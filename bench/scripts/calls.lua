-- Nested script-routine calls.
local function add3(a, b, c)
  return a + b + c
end

local function inner(a)
  return add3(a, 1, 2)
end

local s = 0
for i = 1, 2000000 do
  s = inner(s) % 1000003
end
return s
