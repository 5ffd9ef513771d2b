-- A loop calling a script function of three parameters.
local function mix(a, b, c)
  return a + b - c
end

local s = 0
for i = 1, 2000000 do
  s = mix(s, i, 3) % 1000003
end
return s
