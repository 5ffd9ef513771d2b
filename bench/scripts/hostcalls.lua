-- A loop of host-function calls.
local s = 0
for i = 1, 1000000 do
  s = benchadd(s, 1)
end
return s
