-- Boolean logic: and, or, xor, not on comparison results.
local n = 0
for i = 1, 1750000 do
  local a = i % 2 == 0
  local b = i % 3 == 0
  local c = (a and b) or (not a and (i % 5 == 0))
  if c ~= b then n = n + 1 end
  if (i > 750000) and not c then n = n + 2 end
end
return n
